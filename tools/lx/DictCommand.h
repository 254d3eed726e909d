// "lx dict": build, dump, inspect and check dictionary files.
#pragma once

#include <functional>
#include <iosfwd>

namespace CLI {
class App;
}

namespace lxtool {

// Adds the dict subcommand to app; the chosen action is stored in action and
// runs after parsing, writing to out and returning the exit status.
void AddDictCommand(CLI::App& app, std::function<int()>& action, std::ostream& out,
                    std::ostream& err);

}  // namespace lxtool
