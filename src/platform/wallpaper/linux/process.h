#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace paperkit {

/// What became of one run of an outside program.
struct ProcessResult {
    bool started = false;  ///< the program was found and began
    bool timedOut = false; ///< it outlived its time limit and was killed
    int exitCode = -1;     ///< its exit status; -1 when it was killed by a signal
    std::string output;    ///< what it wrote to standard output
    std::string errors;    ///< what it wrote to standard error

    bool Succeeded() const { return started && !timedOut && exitCode == 0; }
    /// One line for the log that tells why a run did not succeed.
    std::string Reason() const;
};

/// Runs a program found on PATH with these arguments (argv[0] is the program), no shell between,
/// standard input from /dev/null. A run that outlives the limit is killed with its whole process
/// group, so a hanging desktop tool never holds up the caller.
ProcessResult RunProcess(const std::vector<std::string>& argv, std::chrono::milliseconds limit);

} // namespace paperkit
