// Fuzz target for the settings file's text: any input parses, reads back unchanged, and
// survives the edits the store makes.  Built for libFuzzer with clang (-DTINTOR_FUZZ=ON);
// without it, a small main replays the files given on the command line (the corpus).

#include "core/RegistryText.h"
#include "core/StoredMethod.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Registry::Document document = Registry::Document::parse(text);
    check(document.text() == text); // every byte kept

    // What the store writes: the same file, or its readable part for a file that is not
    // settings text at all, with the value set.
    Registry::Document edited = document.recognisable() ? document : document.readablePart();
    check(Registry::Document::parse(document.readablePart().text()).readable());
    edited.setDword(MethodKeyPath, MethodValueName, 0x01020304u);
    const Registry::Document reread = Registry::Document::parse(edited.text());
    const Registry::DwordRead read = reread.readDword(MethodKeyPath, MethodValueName);
    check(read.status == Registry::ReadStatus::Ok && read.value == 0x01020304u);
    check(reread.text() == edited.text());

    // Any other value reads as it did.
    const auto before = document.value("Software\\Other", "Colour");
    const auto after = reread.value("Software\\Other", "Colour");
    check(!document.recognisable() || before.has_value() == after.has_value());
    return 0;
}

#ifndef TINTOR_LIBFUZZER
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                      std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    return 0;
}
#endif
