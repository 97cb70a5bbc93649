// Arbitrary bytes as a text file: detection, every line, the whole text, and the decoding of the
// bytes in each encoding must neither crash nor disagree between the two readers.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "FuzzSupport.h"
#include "foundation/UknFile.h"
#include "foundation/UknStrUtils.h"

namespace {

const std::u16string& FuzzFile() {
    static const std::u16string path =
        qb::FromUtf8(qb::fuzz::MakeRunFolder("textfile") + "input.txt");
    return path;
}

std::u16string JoinLines(qb::TknTextFile& file, size_t limit) {
    std::u16string lines;
    for (size_t n = 0; !file.Eof(); ++n) {
        if (n > limit) std::abort();  // more lines than bytes: a reader that does not advance
        lines += file.ReadLine() + u"\n";
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    {
        // A fresh file each run: truncating one makes ext4 flush it on close, which is slow.
        ::unlink(qb::ToUtf8(FuzzFile()).c_str());
        qb::TknFile out(FuzzFile(), qb::fmWrite);
        out.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
    }

    qb::TknTextFile file(FuzzFile(), false);
    qb::TknMemoryTextFile memory(FuzzFile(), false);
    if (file.Encoding() != memory.Encoding() || file.DataStart() != memory.DataStart())
        std::abort();
    if (JoinLines(file, size) != JoinLines(memory, size)) std::abort();
    file.SeekChar(0);
    if (file.ReadText() != memory.Text()) std::abort();

    for (qb::TEncoding encoding :
         {qb::enUnknown, qb::enAnsi, qb::enUTF8, qb::enUTF8BOM, qb::enUTF16LE, qb::enUTF16BE}) {
        const std::u16string text = qb::DecodeBytes(data, size, encoding);
        if (text.size() > size) std::abort();
        // What was decoded encodes and decodes again to the same text (UTF-16 keeps every unit).
        if (encoding == qb::enUTF16LE &&
            qb::DecodeBytes(reinterpret_cast<const uint8_t*>(qb::EncodeText(text, encoding).data()),
                            text.size() * 2, encoding) != text)
            std::abort();
    }
    return 0;
}
