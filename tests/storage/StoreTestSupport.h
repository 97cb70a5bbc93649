#pragma once

// Notebooks written byte by byte for the page store tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "foundation/UknStrUtils.h"
#include "storage/UPageStore.h"
#include "support/TestSupport.h"

namespace qb::test {

inline const std::u16string kTimes =
    u"2010-11-06 10:00:00\t2010-11-06 10:05:00\t2010-11-06 10:05:00";

// The property part of a note as the model writes it.
inline std::u16string NoteProps(std::u16string_view name) {
    return std::u16string(name) + u"\t0\t\t0\t" + kTimes + u"\t0\t\t";
}

// A container with the default list settings and the given child list.
inline std::u16string ContainerProps(std::u16string_view name, std::u16string_view children) {
    return std::u16string(name) + u"\t0\t\t0\t" + kTimes +
           u"\t0\t\t\t25840,25850,25800\t120,240,100\t0\t3\t1\t0\t" + std::u16string(children);
}

inline std::u16string Rec(int id, int owner, int type, int length, std::u16string_view props) {
    return FromUtf8(std::to_string(id) + "\t" + std::to_string(owner) + "\t" +
                    std::to_string(type) + "\t" + std::to_string(length) + "\t") +
           std::u16string(props);
}

// An index file's text: version, free ids, then the record lines.
inline std::u16string IndexOf(std::u16string_view freeIds,
                              std::initializer_list<std::u16string> records) {
    std::u16string text = u"3.2.0\r\n" + std::u16string(freeIds);
    for (const auto& r : records) text += u"\r\n" + r;
    return text;
}

// The bytes the store writes for a text.
inline std::string FileBytes(std::u16string_view text, bool marker = false) {
    return std::string(marker ? "\xFD" : "") + "\xFF\xFE" + Utf16LE(text);
}

class StoreTest : public ::testing::Test {
  protected:
    ~StoreTest() override { ReleaseStore(); }

    std::string IndexFile() const { return Home.File("data/quillbox.idx"); }
    std::string DataFile() const { return Home.File("data/quillbox.dat"); }
    std::string IndexBytes() const { return ReadBytes(IndexFile()); }
    std::string DataBytes() const { return ReadBytes(DataFile()); }

    void WriteNotebook(std::u16string_view index, std::u16string_view data, bool marker = false) {
        std::filesystem::create_directories(Home.File("data"));
        WriteBytes(IndexFile(), FileBytes(index, marker));
        WriteBytes(DataFile(), FileBytes(data, marker));
    }
    void SetEncrypt(bool on) {
        WriteBytes(Home.File("quillbox.ini"),
                   std::string("[LogIn]\r\nEncryptDataFile=") + (on ? "1" : "0") + "\r\n");
    }
    // Drops the store so that the next GetStore reads the files again.
    TPageStore& Reopen() {
        ReleaseStore();
        return GetStore();
    }

    TTempFolder Home;
};

}  // namespace qb::test
