// What the dictionary model needs from the windows around it, and what it
// tells the views that follow its table.
//
// TdmOutlets is implemented by the main window (status bar, captions, message
// boxes) together with the entry dialog; tests implement it with a fake that
// records what was shown. TdmObserver is implemented by anything that shows
// rows of the table, a grid above all. The model holds neither: both must
// outlive the model or be removed from it first.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zeb {

class TdmData;

// The captions that follow the current context.
struct TdmCaptions {
  std::string Band;         // the grid's band: "Current Context: " and the name
  std::string ReportTitle;  // "Context: " and the name
  std::string SpecCase;     // the Spec_Case column, report label and dialog check box
  bool SpecCaseVisible;     // the report's Spec_Case label and check box
};

enum class TdmAnswer { Yes, No, Cancel };

class TdmOutlets {
 public:
  virtual ~TdmOutlets() = default;

  // Status bar: panel 0 names the dictionary, panel 1 shows statistics.
  virtual void ShowFileName(std::string_view text) = 0;
  virtual void ShowStatus(std::string_view text) = 0;
  // The entry dialog, modal. It edits data.Buffer() and ends with data.Post()
  // or data.Cancel().
  virtual void ShowEntryDialog(TdmData& data) = 0;
  virtual void ShowCaptions(const TdmCaptions& captions) = 0;
  // A warning question with the buttons Yes, No and Cancel.
  virtual TdmAnswer AskYesNoCancel(std::string_view text) = 0;
  // An information box without owner window.
  virtual void ShowInformation(std::string_view caption, std::string_view text) = 0;
};

// Keys are KeyField values. Notices name rows of every context; a view of one
// context keeps those its filter accepts. While a bulk operation runs the
// notices are held back and come as one notice when it ends, also on error.
class TdmObserver {
 public:
  virtual ~TdmObserver() = default;
  virtual void RowsAdded(std::span<const std::int32_t> keys) = 0;
  virtual void RowsChanged(std::span<const std::int32_t> keys) = 0;
  virtual void RowsRemoved(std::span<const std::int32_t> keys) = 0;
  // The view must be read anew: another dictionary or another context.
  virtual void ViewReset() = 0;
};

}  // namespace zeb
