// The lx command line: one CLI11 application with a subcommand per job.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace lxtool {

// Runs lx with args (without the program name); returns the exit status:
// 0 done, 1 failed (the reason on err), 2 usage error.
int RunLx(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace lxtool
