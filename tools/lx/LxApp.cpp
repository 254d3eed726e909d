#include "LxApp.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <ostream>

#include "DictCommand.h"
#include "ParseCommand.h"

namespace lxtool {

int RunLx(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app{
      "lx parses North-American name and address lines with a Lexorin dictionary.\n"
      "Run 'lx COMMAND --help' for the options of one command.",
      "lx"};
  app.require_subcommand(1);
  std::function<int()> action;
  AddParseCommands(app, action, out, err);
  AddDictCommand(app, action, out, err);

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return 0;
  } catch (const CLI::CallForAllHelp&) {
    out << app.help("", CLI::AppFormatMode::All);
    return 0;
  } catch (const CLI::ParseError& e) {
    // Subcommand help comes as a ParseError whose exit code is success.
    if (e.get_exit_code() == 0) {
      const CLI::App* shown = &app;
      while (!shown->get_subcommands().empty()) shown = shown->get_subcommands().front();
      out << shown->help();
      return 0;
    }
    err << "lx: " << e.what() << "\nRun 'lx --help' for usage.\n";
    return 2;
  }
  try {
    return action ? action() : 2;
  } catch (const std::exception& e) {
    err << "lx: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace lxtool
