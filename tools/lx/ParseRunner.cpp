#include "ParseRunner.h"

#include <unistd.h>

#include <sys/stat.h>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <mutex>
#include <optional>
#include <ostream>
#include <thread>

#include "LxCodePage.h"
#include "Output.h"

namespace lxtool {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// Each worker takes a chunk of the input this large and reads its records itself.
constexpr std::size_t kChunkBytes = 128 * 1024;

struct Input {
  std::string name;  // as shown in messages
  std::FILE* file = nullptr;
  InputFormat format = InputFormat::Lines;
  std::uint64_t size = 0;  // 0 when unknown (a pipe)
  std::uint64_t headerLines = 0;
};

InputFormat GuessFormat(const std::string& name, const RunOptions& o) {
  if (o.inputFormat == "csv") return InputFormat::Csv;
  if (o.inputFormat == "tsv") return InputFormat::Tsv;
  if (o.inputFormat == "lines") return InputFormat::Lines;
  const std::string ext = fs::path(name).extension().string();
  if (ext == ".csv" || ext == ".CSV") return InputFormat::Csv;
  if (ext == ".tsv" || ext == ".tab" || ext == ".TSV") return InputFormat::Tsv;
  return o.column.empty() ? InputFormat::Lines : InputFormat::Csv;
}

std::string Reason() {
  return std::strerror(errno);
}

// Texts from files are UTF-8; the engine's are single-byte. A character the
// code page lacks becomes "?"; bytes that are not UTF-8 at all are taken as
// they are, as single-byte text.
std::string_view ToEngineText(std::string_view utf8, std::string& out) {
  std::size_t bad = 0;
  if (lx::Utf8ToAnsi(utf8, out, &bad)) return out;
  std::string part;
  out.clear();
  while (true) {
    const bool ok = lx::Utf8ToAnsi(utf8, part, &bad);
    out += part;
    if (ok) return out;
    // Length of the sequence at bad, when it is well-formed UTF-8.
    const auto lead = static_cast<unsigned char>(utf8[bad]);
    const std::size_t len = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    bool wellFormed = len > 0 && bad + len <= utf8.size();
    for (std::size_t k = 1; wellFormed && k < len; ++k)
      wellFormed = (static_cast<unsigned char>(utf8[bad + k]) & 0xC0) == 0x80;
    if (!wellFormed) {
      out.assign(utf8);
      return out;
    }
    out += '?';
    utf8.remove_prefix(bad + len);
  }
}

bool IsUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    const std::size_t len = b < 0x80    ? 1
                            : b >= 0xF8 ? 0
                            : b >= 0xF0 ? 4
                            : b >= 0xE0 ? 3
                            : b >= 0xC2 ? 2
                                        : 0;
    if (len == 0 || i + len > s.size()) return false;
    for (std::size_t k = 1; k < len; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += len;
  }
  return true;
}

// One chunk of an input on its way through a worker. Batches are recycled, so
// that their texts keep their storage and a run allocates little once started.
struct alignas(64) Batch {
  struct Fault {
    std::uint64_t line;  // within the chunk, from 1
    std::string reason;
  };
  const Input* input = nullptr;
  std::string text;         // whole records
  std::uint64_t lines = 0;  // line breaks in text
  std::string output;
  std::string rejects;        // skipped records as they stood in the input
  std::vector<Fault> faults;  // why; when faults fail the run, only the first
  std::uint64_t count = 0;

  bool done = false;

  void Reset() {
    text.clear();
    output.clear();
    rejects.clear();
    faults.clear();
    count = lines = 0;
    done = false;
  }
};

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A text the engine gave back, in UTF-8: plain ASCII as it is, anything else
// converted into store.
std::string_view ToUtf8(std::string_view ansi, std::string& store) {
  if (IsAscii(ansi)) return ansi;
  store = lx::AnsiToUtf8(ansi);
  return store;
}

// What one thread needs to turn records into output text. Aligned to a cache
// line: workers sit side by side and each writes its own members all the time.
struct alignas(64) Worker {
  std::unique_ptr<ParseJob> job;
  std::string text;
  std::vector<std::string_view> values;
  std::vector<std::string> utf8Store;
  std::vector<std::string_view> utf8;
  std::vector<std::string> row;
  std::string inputUtf8;
  InputRecord rec;

  // Reads the batch's records, parses each and formats its output row.
  // selected: indexes of the columns to write, or empty for all of them.
  void Process(const JobKind& kind, const RunOptions& o, std::size_t column,
               const std::vector<std::size_t>& selected, std::size_t headerFields, Batch& batch) {
    if (batch.text.empty()) return;
    // Line numbers count within the chunk; the writer knows where it starts.
    batch.lines =
        static_cast<std::uint64_t>(std::count(batch.text.begin(), batch.text.end(), '\n'));
    std::FILE* memory = fmemopen(batch.text.data(), batch.text.size(), "rb");
    if (!memory) throw std::runtime_error("cannot read a chunk of the input: " + Reason());
    RecordReader reader(memory, batch.input->format, false);
    reader.ExpectFields(headerFields);
    while (true) {
      try {
        if (!reader.Next(rec)) break;
      } catch (const RecordError& e) {
        batch.faults.push_back({e.line(), e.what()});
        if (o.failOnError) return;
        batch.rejects += e.raw();
        continue;
      }
      ++batch.count;
      if (column >= rec.fields.size()) rec.fields.resize(column + 1);
      Format(kind, o, column, selected, batch);
    }
  }

  void Format(const JobKind& kind, const RunOptions& o, std::size_t column,
              const std::vector<std::size_t>& selected, Batch& batch) {
    {
      const std::string& field = rec.fields[column];
      job->Parse(IsAscii(field) ? std::string_view(field) : ToEngineText(field, text));
      job->Values(values);
      utf8.resize(values.size());
      if (utf8Store.size() < values.size()) utf8Store.resize(values.size());
      for (std::size_t i = 0; i < values.size(); ++i) utf8[i] = ToUtf8(values[i], utf8Store[i]);
      if (o.format == OutputFormat::Jsonl) {
        JsonObject json(batch.output);
        json.String("input", IsUtf8(field) ? std::string_view(field) : ToUtf8(field, inputUtf8));
        if (selected.empty()) {
          job->Json(json, kind.columns, utf8);
        } else {
          for (std::size_t i : selected) json.String(kind.columns[i], utf8[i]);
        }
        json.Close();
        batch.output += '\n';
        return;
      }
      if (o.format == OutputFormat::Table) {
        row = rec.fields;
        if (selected.empty()) {
          for (std::string_view v : utf8) row.emplace_back(v);
        } else {
          for (std::size_t i : selected) row.emplace_back(utf8[i]);
        }
        AppendTableRow(batch.output, row);
        return;
      }
      const char delimiter = o.format == OutputFormat::Tsv ? '\t' : ',';
      bool first = true;
      auto put = [&](std::string_view f) {
        if (!first) batch.output += delimiter;
        first = false;
        AppendDelimitedField(batch.output, delimiter, f);
      };
      for (const std::string& f : rec.fields) put(f);
      if (selected.empty()) {
        for (std::string_view v : utf8) put(v);
      } else {
        for (std::size_t i : selected) put(utf8[i]);
      }
      batch.output += '\n';
    }
  }
};

class Progress {
 public:
  Progress(bool enabled, std::uint64_t total, std::ostream& err)
      : enabled_(enabled && total > 0), total_(total), err_(err), start_(Clock::now()) {}

  void Update(std::uint64_t bytes, std::uint64_t records) {
    if (!enabled_) return;
    const auto now = Clock::now();
    if (now - last_ < std::chrono::milliseconds(200)) return;
    last_ = now;
    const double secs = std::chrono::duration<double>(now - start_).count();
    const double frac = std::min(1.0, static_cast<double>(bytes) / static_cast<double>(total_));
    const double rate = secs > 0 ? static_cast<double>(records) / secs : 0;
    const double eta = frac > 0 ? secs * (1 - frac) / frac : 0;
    const int width = 30;
    const int filled = static_cast<int>(frac * width);
    char line[160];
    std::snprintf(line, sizeof line, "\r[%s%s] %3d%% %llu records  %.0f records/s  ETA %d:%02d ",
                  std::string(static_cast<std::size_t>(filled), '=').c_str(),
                  std::string(static_cast<std::size_t>(width - filled), ' ').c_str(),
                  static_cast<int>(frac * 100), static_cast<unsigned long long>(records), rate,
                  static_cast<int>(eta) / 60, static_cast<int>(eta) % 60);
    err_ << line << std::flush;
    shown_ = true;
  }
  void Finish() {
    if (shown_) err_ << "\r" << std::string(90, ' ') << "\r" << std::flush;
  }

 private:
  bool enabled_;
  std::uint64_t total_;
  std::ostream& err_;
  Clock::time_point start_;
  Clock::time_point last_{};
  bool shown_ = false;
};

// Without --column: the column named after the command (a "name" column for
// lx name), else the first one.
std::optional<std::size_t> ResolveColumn(const std::string& spec,
                                         const std::vector<std::string>& header,
                                         const std::string& kindName) {
  if (spec.empty()) {
    if (header.empty()) return std::nullopt;
    const auto named = std::find(header.begin(), header.end(), kindName);
    return named == header.end() ? 0 : static_cast<std::size_t>(named - header.begin());
  }
  for (std::size_t i = 0; i < header.size(); ++i)
    if (header[i] == spec) return i;
  std::size_t n = 0;
  const auto [end, ec] = std::from_chars(spec.data(), spec.data() + spec.size(), n);
  if (ec == std::errc() && end == spec.data() + spec.size() && n >= 1 && n <= header.size())
    return n - 1;
  return std::nullopt;
}

std::string Join(const std::vector<std::string>& v) {
  std::string s;
  for (const auto& x : v) s += (s.empty() ? "" : ", ") + x;
  return s;
}

}  // namespace

void ParseJob::Json(JsonObject& json, const std::vector<std::string>& columns,
                    const std::vector<std::string_view>& utf8Values) {
  for (std::size_t i = 0; i < columns.size() && i < utf8Values.size(); ++i)
    json.String(columns[i], utf8Values[i]);
}

namespace {

// Opens every input (standard input for none or "-"); false, with the reason
// on err and nothing left open, when one cannot be opened.
bool OpenInputs(const RunOptions& o, std::vector<Input>& inputs, std::ostream& err) {
  std::vector<std::string> names = o.inputs;
  if (names.empty()) names.push_back("-");
  for (const std::string& name : names) {
    Input in;
    in.name = name == "-" ? "standard input" : name;
    in.format = GuessFormat(name == "-" ? "" : name, o);
    if (name == "-") {
      in.file = stdin;
    } else {
      in.file = std::fopen(name.c_str(), "rb");
      if (!in.file) {
        err << "lx: cannot open file \"" << name << "\": " << Reason() << "\n";
        for (auto& i : inputs)
          if (i.file != stdin) std::fclose(i.file);
        return false;
      }
      struct stat st {};
      if (fstat(fileno(in.file), &st) == 0 && S_ISREG(st.st_mode))
        in.size = static_cast<std::uint64_t>(st.st_size);
    }
    inputs.push_back(in);
  }
  return true;
}

// Gives every worker its set of parsers; each loads the dictionary, side by side.
bool LoadJobs(const JobKind& kind, std::vector<Worker>& workers, std::ostream& err) {
  std::vector<std::string> failures(workers.size());
  std::vector<std::thread> loaders;
  for (std::size_t t = 0; t < workers.size(); ++t) {
    loaders.emplace_back([&, t] {
      try {
        workers[t].job = kind.create();
      } catch (const std::exception& e) {
        failures[t] = e.what();
      }
    });
  }
  for (auto& l : loaders) l.join();
  for (const std::string& f : failures) {
    if (f.empty()) continue;
    err << "lx: " << f << "\n";
    return false;
  }
  return true;
}

// Reads the header of every input ({"input"} for lines; empty for an empty
// CSV input); all of them must agree.
bool ReadHeaders(std::vector<Input>& inputs, std::vector<std::unique_ptr<ChunkReader>>& readers,
                 std::vector<std::string>& header, std::ostream& err) {
  for (std::size_t i = 0; i < readers.size(); ++i) {
    std::vector<std::string> h{"input"};
    try {
      std::string text;
      if (inputs[i].format != InputFormat::Lines && readers[i]->Next(text, 1)) {
        inputs[i].headerLines =
            static_cast<std::uint64_t>(std::count(text.begin(), text.end(), '\n'));
        RecordReader reader(fmemopen(text.data(), text.size(), "rb"), inputs[i].format);
        h = reader.ReadHeader();
      } else if (inputs[i].format != InputFormat::Lines) {
        h.clear();
      }
    } catch (const std::exception& e) {
      err << "lx: " << inputs[i].name << ": cannot read the header row: " << e.what() << "\n";
      return false;
    }
    if (i == 0) {
      header = h;
    } else if (!h.empty() && h != header) {
      err << "lx: " << inputs[i].name << ": its columns differ from those of "
          << inputs.front().name << "\n";
      return false;
    }
  }
  return true;
}

// The indexes of the --fields among the kind's columns.
bool SelectFields(const JobKind& kind, const RunOptions& o, std::vector<std::size_t>& selected,
                  std::ostream& err) {
  for (const std::string& f : o.fields) {
    const auto it = std::find(kind.columns.begin(), kind.columns.end(), f);
    if (it == kind.columns.end()) {
      err << "lx: no field \"" << f << "\" (the fields of " << kind.name
          << " are: " << Join(kind.columns) << ")\n";
      return false;
    }
    selected.push_back(static_cast<std::size_t>(it - kind.columns.begin()));
  }
  return true;
}

}  // namespace

int RunParse(const JobKind& kind, const RunOptions& o, std::ostream&, std::ostream& err) {
  const auto started = Clock::now();
  // Everything that can be refused is checked before the output is touched.
  std::vector<Input> inputs;
  if (!OpenInputs(o, inputs, err)) return 1;
  std::vector<std::unique_ptr<ChunkReader>> readers;
  for (const Input& in : inputs)
    readers.push_back(std::make_unique<ChunkReader>(in.file, in.format));

  const int threads = std::max(
      1, o.threads > 0 ? o.threads : static_cast<int>(std::thread::hardware_concurrency()));
  std::vector<Worker> workers(static_cast<std::size_t>(threads));
  if (!LoadJobs(kind, workers, err)) return 1;

  std::vector<std::string> header;
  if (!ReadHeaders(inputs, readers, header, err)) return 1;
  const std::size_t headerFields = inputs.front().format == InputFormat::Lines ? 0 : header.size();
  const auto col = ResolveColumn(o.column, header, kind.name);
  if (!col && !header.empty()) {
    err << "lx: " << inputs.front().name << ": no column \"" << o.column
        << "\" (the header has: " << Join(header) << ")\n";
    return 1;
  }
  const std::size_t column = col.value_or(0);
  std::vector<std::size_t> selected;
  if (!SelectFields(kind, o, selected, err)) return 1;

  std::unique_ptr<OutputFile> rejects;
  try {
    OutputFile output(o.output);
    if (!o.rejects.empty()) rejects = std::make_unique<OutputFile>(o.rejects);
    // A table is written once it is complete, aligned.
    std::string table;
    auto emit = [&](const std::string& text) {
      if (o.format == OutputFormat::Table)
        table += text;
      else
        output.Write(text);
    };
    if (o.format != OutputFormat::Jsonl) {
      std::vector<std::string> columns =
          header.empty() ? std::vector<std::string>{"input"} : header;
      if (selected.empty()) {
        columns.insert(columns.end(), kind.columns.begin(), kind.columns.end());
      } else {
        for (std::size_t i : selected) columns.push_back(kind.columns[i]);
      }
      std::string text;
      if (o.format == OutputFormat::Table)
        AppendTableRow(text, columns);
      else
        AppendDelimitedRow(text, o.format == OutputFormat::Tsv ? '\t' : ',', columns);
      emit(text);
    }

    std::uint64_t total = 0, done = 0, rejected = 0;
    for (const Input& in : inputs) total += in.size;
    const bool showProgress = o.progress && !o.quiet && isatty(STDERR_FILENO) && total > 0;
    Progress progress(showProgress, total, err);

    // Batches are parsed on the workers and written here, in input order.
    std::mutex mutex;
    std::condition_variable cv;
    std::deque<std::shared_ptr<Batch>> todo;
    std::deque<std::shared_ptr<Batch>> pending;
    std::vector<std::shared_ptr<Batch>> spare;
    auto newBatch = [&] {
      if (spare.empty()) return std::make_shared<Batch>();
      std::shared_ptr<Batch> b = std::move(spare.back());
      spare.pop_back();
      b->Reset();
      return b;
    };
    bool closing = false;
    std::string failure;
    // Where the batch being written starts in its input.
    const Input* lineInput = nullptr;
    std::uint64_t linesBefore = 0;
    // One worker job per pool thread; the main thread reads, writes and, while
    // it waits for the oldest batch, parses with the last job itself.
    Worker& mainWorker = workers.back();
    auto runBatch = [&](Worker& w, Batch& b) {
      std::string error;
      try {
        w.Process(kind, o, column, selected, headerFields, b);
      } catch (const std::exception& e) {
        error = e.what();
      }
      std::lock_guard lock(mutex);
      if (!error.empty() && failure.empty()) failure = error;
      b.done = true;
      cv.notify_all();
    };
    std::vector<std::thread> pool;
    for (int t = 0; t + 1 < threads; ++t) {
      pool.emplace_back([&, &w = workers[static_cast<std::size_t>(t)]] {
        while (true) {
          std::shared_ptr<Batch> b;
          {
            std::unique_lock lock(mutex);
            cv.wait(lock, [&] { return closing || !todo.empty(); });
            if (todo.empty()) return;
            b = std::move(todo.front());
            todo.pop_front();
          }
          runBatch(w, *b);
        }
      });
    }
    auto stopPool = [&] {
      {
        std::lock_guard lock(mutex);
        closing = true;
      }
      cv.notify_all();
      for (auto& t : pool) t.join();
      pool.clear();
    };
    auto writeFront = [&] {
      std::shared_ptr<Batch> b = pending.front();
      while (true) {
        std::unique_lock lock(mutex);
        if (b->done) {
          if (!failure.empty()) throw std::runtime_error(failure);
          break;
        }
        if (todo.empty()) {
          cv.wait(lock, [&] { return b->done; });
          continue;
        }
        std::shared_ptr<Batch> mine = std::move(todo.front());
        todo.pop_front();
        lock.unlock();
        runBatch(mainWorker, *mine);
      }
      if (b->input != lineInput) {
        lineInput = b->input;
        linesBefore = b->input->headerLines;
      }
      for (const Batch::Fault& f : b->faults) {
        const std::string where =
            b->input->name + ":" + std::to_string(linesBefore + f.line) + ": " + f.reason;
        if (o.failOnError) throw std::runtime_error(where);
        if (!o.quiet) err << "lx: skipped " << where << "\n";
      }
      linesBefore += b->lines;
      emit(b->output);
      done += b->count;
      rejected += b->faults.size();
      if (rejects) rejects->Write(b->rejects);
      pending.pop_front();
      spare.push_back(std::move(b));
    };
    auto submit = [&](std::shared_ptr<Batch> b) {
      {
        std::lock_guard lock(mutex);
        todo.push_back(b);
        pending.push_back(std::move(b));
      }
      cv.notify_one();
      while (pending.size() >= static_cast<std::size_t>(2 * threads - 1)) writeFront();
    };

    try {
      std::uint64_t bytesBefore = 0;
      for (std::size_t i = 0; i < readers.size(); ++i) {
        ChunkReader& reader = *readers[i];
        while (true) {
          std::shared_ptr<Batch> batch = newBatch();
          batch->input = &inputs[i];
          if (!reader.Next(batch->text, kChunkBytes)) {
            spare.push_back(std::move(batch));
            break;
          }
          submit(std::move(batch));
          progress.Update(bytesBefore + reader.BytesRead(), done);
        }
        bytesBefore += reader.BytesRead();
      }
      while (!pending.empty()) writeFront();
      stopPool();
    } catch (...) {
      stopPool();
      progress.Finish();
      throw;
    }
    progress.Finish();
    if (o.format == OutputFormat::Table) output.Write(RenderTable(table));
    output.Commit();
    if (rejects) rejects->Commit();
    if (!o.quiet) {
      const double secs = std::chrono::duration<double>(Clock::now() - started).count();
      char line[200];
      std::snprintf(line, sizeof line,
                    "lx %s: %llu records in %.2f s (%.0f records/s), %llu rejected\n",
                    kind.name.c_str(), static_cast<unsigned long long>(done), secs,
                    secs > 0 ? static_cast<double>(done) / secs : 0.0,
                    static_cast<unsigned long long>(rejected));
      err << line;
    }
  } catch (const std::exception& e) {
    err << "lx: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace lxtool
