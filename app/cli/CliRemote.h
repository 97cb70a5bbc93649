#pragma once

// A writing command handed to the desktop program that holds the notebook, over its local
// socket. The request carries the command's arguments and its standard input; the program
// answers "run" at once; the tool, still waiting, says "go"; only then does the program run
// the command and send the output, the error output and the exit code. A tool that gave up
// waiting never says "go", so a program that wakes up late changes nothing.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "storage/UNotebookLock.h"

namespace qb::cli {

struct TRemoteRequest {
    std::vector<std::string> Args;  // the command's name first, UTF-8
    std::string Input;
};

struct TRemoteReply {
    int Exit = 1;
    std::string Out;
    std::string Err;
};

enum TDecodeResult { drIncomplete, drComplete, drInvalid };

// The first line of a request.
inline constexpr std::string_view kRemoteRequestHead = "cli\n";
// The program's first answer: it has the request and will run it.
inline constexpr std::string_view kRemoteAccepted = "run\n";
// The tool's answer to it: it still waits for the outcome.
inline constexpr std::string_view kRemoteGo = "go\n";

std::string EncodeRequest(const TRemoteRequest& request);
TDecodeResult DecodeRequest(std::string_view bytes, TRemoteRequest& request);
std::string EncodeReply(const TRemoteReply& reply);
TDecodeResult DecodeReply(std::string_view bytes, TRemoteReply& reply);

// Sends the request to the program listening at socketPath. The program must accept it within
// acceptMs; otherwise nothing was changed and the reply says so, naming the holder.
TRemoteReply SendToProgram(const std::string& socketPath, const TRemoteRequest& request,
                           const TNotebookHolder& holder, int acceptMs);

}  // namespace qb::cli
