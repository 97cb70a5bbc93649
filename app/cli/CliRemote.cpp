#include "CliRemote.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

#include "foundation/UknStrUtils.h"

namespace qb::cli {

namespace {

constexpr size_t kMaxField = size_t{1} << 31;
constexpr int kReplyMs = 10 * 60 * 1000;  // a large import may take minutes

void PutNumber(std::string& out, size_t n) {
    out += std::to_string(n);
    out += '\n';
}

void PutField(std::string& out, std::string_view field) {
    PutNumber(out, field.size());
    out += field;
}

// Reads the fields written by PutNumber and PutField from the front of the bytes.
class TFieldReader {
  public:
    explicit TFieldReader(std::string_view bytes) : FRest(bytes) {}
    TDecodeResult Number(size_t& n) {
        size_t eol = FRest.find('\n');
        if (eol == std::string_view::npos) return FRest.size() > 20 ? drInvalid : drIncomplete;
        if (eol == 0 || eol > 20) return drInvalid;
        n = 0;
        for (char c : FRest.substr(0, eol)) {
            if (c < '0' || c > '9') return drInvalid;
            n = n * 10 + static_cast<size_t>(c - '0');
        }
        FRest.remove_prefix(eol + 1);
        return n > kMaxField ? drInvalid : drComplete;
    }
    TDecodeResult Field(std::string& field) {
        size_t n = 0;
        if (TDecodeResult r = Number(n); r != drComplete) return r;
        if (FRest.size() < n) return drIncomplete;
        field.assign(FRest.substr(0, n));
        FRest.remove_prefix(n);
        return drComplete;
    }
    bool AtEnd() const { return FRest.empty(); }

  private:
    std::string_view FRest;
};

#define QB_READ(step)                                  \
    if (TDecodeResult r = (step); r != drComplete) return r

std::u16string NoAnswer(const TNotebookHolder& holder) {
    return HolderText(holder) + u" and did not answer; nothing was changed";
}

TRemoteReply Failure(std::u16string message) {
    return {1, {}, ToUtf8(message) + "\n"};
}

// Reads what arrives until `done` says the bytes are enough, the peer closes or the time ends.
bool ReadUntil(int fd, std::string& bytes, int ms, const auto& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    char buffer[65536];
    while (!done(bytes)) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) return done(bytes);
        bytes.append(buffer, static_cast<size_t>(n));
    }
    return true;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

int Connect(const std::string& path) {
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) return -1;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::string EncodeRequest(const TRemoteRequest& request) {
    std::string out(kRemoteRequestHead);
    PutNumber(out, request.Args.size());
    for (const std::string& arg : request.Args) PutField(out, arg);
    PutField(out, request.Input);
    return out;
}

TDecodeResult DecodeRequest(std::string_view bytes, TRemoteRequest& request) {
    if (!bytes.starts_with(kRemoteRequestHead))
        return kRemoteRequestHead.starts_with(bytes) ? drIncomplete : drInvalid;
    TFieldReader reader(bytes.substr(kRemoteRequestHead.size()));
    size_t count = 0;
    QB_READ(reader.Number(count));
    if (count == 0 || count > 4096) return drInvalid;
    request.Args.assign(count, {});
    for (std::string& arg : request.Args) QB_READ(reader.Field(arg));
    QB_READ(reader.Field(request.Input));
    return reader.AtEnd() ? drComplete : drInvalid;
}

std::string EncodeReply(const TRemoteReply& reply) {
    std::string out;
    PutNumber(out, static_cast<size_t>(reply.Exit < 0 ? 1 : reply.Exit));
    PutField(out, reply.Out);
    PutField(out, reply.Err);
    return out;
}

TDecodeResult DecodeReply(std::string_view bytes, TRemoteReply& reply) {
    TFieldReader reader(bytes);
    size_t exit = 0;
    QB_READ(reader.Number(exit));
    reply.Exit = exit > 255 ? 1 : static_cast<int>(exit);
    QB_READ(reader.Field(reply.Out));
    QB_READ(reader.Field(reply.Err));
    return reader.AtEnd() ? drComplete : drInvalid;
}

TRemoteReply SendToProgram(const std::string& socketPath, const TRemoteRequest& request,
                           const TNotebookHolder& holder, int acceptMs) {
    int fd = Connect(socketPath);
    if (fd < 0) return Failure(NoAnswer(holder));
    std::string bytes;
    const bool accepted =
        WriteAll(fd, EncodeRequest(request)) &&
        ReadUntil(fd, bytes, acceptMs, [](const std::string& b) {
            return b.size() >= kRemoteAccepted.size();
        }) &&
        bytes.starts_with(kRemoteAccepted);
    if (!accepted) {
        ::close(fd);
        return Failure(NoAnswer(holder));
    }
    bytes.erase(0, kRemoteAccepted.size());
    if (!WriteAll(fd, kRemoteGo)) {
        ::close(fd);
        return Failure(NoAnswer(holder));
    }
    TRemoteReply reply;
    auto complete = [&reply](const std::string& b) { return DecodeReply(b, reply) != drIncomplete; };
    const bool answered = ReadUntil(fd, bytes, kReplyMs, complete);
    ::close(fd);
    if (!answered || DecodeReply(bytes, reply) != drComplete)
        return Failure(HolderText(holder) +
                       u" and ended the connection before it answered; the change may or may "
                       u"not have been made");
    return reply;
}

}  // namespace qb::cli
