#include "AppInfo.h"

#include "TintorVersion.h"

#include <QCoreApplication>

AppInfo AppInfo::tintor() {
    return {QStringLiteral("Tintor"),
            QCoreApplication::translate("AppInfo", "version %1")
                .arg(QLatin1String(TintorVersion::displayed)),
            QCoreApplication::translate("AppInfo", "Copyright \u00a9 2026 the Tintor developers")};
}
