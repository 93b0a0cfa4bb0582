// The code page conversions on any bytes: every Windows-1250 text survives a
// trip through UTF-8, any UTF-8 (valid or not) converts to a text that does
// too, and upper-casing keeps the length and is idempotent.
#include "CodePage.h"
#include "FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string_view bytes(reinterpret_cast<const char*>(pData), nSize);

    const std::string strUtf8 = AnsiToUtf8(bytes);
    FUZZ_CHECK(Utf8ToAnsi(strUtf8) == bytes);

    const std::string strAnsi = Utf8ToAnsi(bytes);
    FUZZ_CHECK(strAnsi.size() <= bytes.size());
    FUZZ_CHECK(Utf8ToAnsi(AnsiToUtf8(strAnsi)) == strAnsi);

    const std::string strUpper = AnsiToUpper(bytes);
    FUZZ_CHECK(strUpper.size() == bytes.size());
    FUZZ_CHECK(AnsiToUpper(strUpper) == strUpper);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            FUZZ_CHECK(strUpper[i] == ((c >= 'a' && c <= 'z') ? static_cast<char>(c - 0x20) : bytes[i]));
        }
    }
    return 0;
}
