// Runs the built dexaru2 as a separate process, as a user would: a temporary
// folder holds a link to the program and the data files written beside it,
// and the program is started from another working directory.
#ifndef DEXARU_PROGRAMRUN_H
#define DEXARU_PROGRAMRUN_H

#include "TestFiles.h"

#include <csignal>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace testfiles {

struct ProgramRun {
    bool finished = false; // false when it was killed for taking too long
    int status = -1;       // the exit status, or 128 + the signal that ended it
    std::string out;
    std::string err;
};

inline std::string readFile(const std::string& path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// Runs the program with the arguments from the working directory "/" and
// collects its standard output and error; kills it after timeoutSeconds.
inline ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                             int timeoutSeconds = 600)
{
    TempDir capture;
    const std::string out = capture.path + "/stdout";
    const std::string err = capture.path + "/stderr";
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    ProgramRun result;
    const pid_t pid = fork();
    if (pid < 0) {
        return result;
    }
    if (pid == 0) {
        if (!std::freopen(out.c_str(), "wb", stdout) || !std::freopen(err.c_str(), "wb", stderr) ||
            chdir("/") != 0) {
            _exit(126);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    for (int waited = 0; waited < timeoutSeconds * 20; ++waited) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            result.finished = true;
            break;
        }
        usleep(50000);
    }
    if (!result.finished) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = readFile(out);
    result.err = readFile(err);
    return result;
}

// A folder with a link to the built program; the tests write its data files.
class ProgramFolder
{
public:
    ProgramFolder()
    {
        if (symlink(DEXARU_PROGRAM, program().c_str()) != 0) {
            fixtureFailed("cannot link the program into", files.path);
        }
    }

    const std::string& path() const { return files.path; }
    std::string program() const { return files.path + "/dexaru2"; }
    std::string write(const std::string& name, const std::string& bytes) const
    {
        return files.write(name, bytes);
    }
    ProgramRun run(const std::vector<std::string>& arguments) const
    {
        return runProgram(program(), arguments);
    }

private:
    TempDir files;
};

} // namespace testfiles

#endif
