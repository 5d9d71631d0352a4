// Test helper: writes Method values into a settings file as fast as it can.
//   settings_writer <file> <first value> <second value> <count, 0 for ever>
// Alternates between the two values; exits 1 at the first failed write.

#include "core/StoredMethod.h"
#include "platform/SettingsFile.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: settings_writer <file> <value> <value> <count>\n");
        return 2;
    }
    SettingsFile store(QString::fromLocal8Bit(argv[1]));
    const std::uint32_t values[2] = {static_cast<std::uint32_t>(std::atoi(argv[2])),
                                     static_cast<std::uint32_t>(std::atoi(argv[3]))};
    const long count = std::atol(argv[4]);
    store.CreateKey(MethodKeyPath);
    for (long i = 0; count == 0 || i < count; ++i) {
        try {
            store.WriteDword(MethodKeyPath, MethodValueName, values[i % 2]);
        } catch (const SettingsError& error) {
            std::fprintf(stderr, "settings_writer: %s\n", error.what());
            return 1;
        }
    }
    return 0;
}
