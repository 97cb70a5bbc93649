#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace qb::test {

// A fresh temporary folder for one test, made the program folder while it lives and removed
// with everything in it afterwards.
class TTempFolder {
public:
    explicit TTempFolder(bool makeProgramFolder = true);
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::string& Path() const { return FPath; }  // ends in "/"
    std::u16string Path16() const;
    std::string File(std::string_view name) const { return FPath + std::string(name); }
    std::u16string File16(std::string_view name) const;

private:
    std::string FPath;
    bool FProgramFolder;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);
// "FF FE 61 00": readable byte dumps for assertion messages.
std::string Hex(std::string_view bytes);
// The UTF-16 LE bytes of a text, for building expected file contents.
std::string Utf16LE(std::u16string_view text);

// Runs quillbox-cli with the arguments (shell-quoted here) and standard input; returns the
// exit code and fills out/err.
int RunCli(const std::string& args, std::string_view input, std::string* out,
           std::string* err = nullptr);

// Runs quillbox-cli commands, each as its own process, on a program folder of the test's own.
class TCliTest : public ::testing::Test {
  protected:
    // Returns the command's exit code; its output is in out, its messages in err.
    int Cli(const std::string& args, std::string_view input = "") {
        err.clear();
        return RunCli("--home '" + Home.Path() + "' " + args, input, &out, &err);
    }
    // The output of a command that must succeed.
    std::string Out(const std::string& args, std::string_view input = "") {
        EXPECT_EQ(Cli(args, input), 0) << args << ": " << err;
        return out;
    }

    TTempFolder Home{false};
    std::string out, err;
};

}  // namespace qb::test
