#include "support/TestSupport.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"

namespace qb::test {

TTempFolder::TTempFolder(bool makeProgramFolder) : FProgramFolder(makeProgramFolder) {
    std::string tmpl = (std::filesystem::temp_directory_path() / "qbtest-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    FPath = tmpl + "/";
    if (FProgramFolder) SetProgramFolder(FromUtf8(FPath));
}

TTempFolder::~TTempFolder() {
    if (FProgramFolder) SetProgramFolder(u"");
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
}

std::u16string TTempFolder::Path16() const { return FromUtf8(FPath); }
std::u16string TTempFolder::File16(std::string_view name) const { return FromUtf8(File(name)); }

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Hex(std::string_view bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        if (!out.empty()) out.push_back(' ');
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
    }
    return out;
}

std::string Utf16LE(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

int RunCli(const std::string& args, std::string_view input, std::string* out, std::string* err) {
    TTempFolder io(false);
    std::string in = io.File("stdin"), o = io.File("stdout"), e = io.File("stderr");
    WriteBytes(in, input);
    std::string command = std::string("'") + QB_CLI_PATH + "' " + args + " <'" + in + "' >'" + o +
                          "' 2>'" + e + "'";
    int status = std::system(command.c_str());
    if (out) *out = ReadBytes(o);
    if (err) *err = ReadBytes(e);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace qb::test
