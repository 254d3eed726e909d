// "lx name|address|city|cancity|case": the parse commands, each with the
// options of its parser, run over whole files by the parse runner.
#pragma once

#include <functional>
#include <iosfwd>

namespace CLI {
class App;
}

namespace lxtool {

void AddParseCommands(CLI::App& app, std::function<int()>& action, std::ostream& out,
                      std::ostream& err);

}  // namespace lxtool
