#include "ContrastReport.h"

#include "AppLog.h"
#include "ColourNotation.h"
#include "Contrast.h"
#include "StandardStreams.h"

#include <optional>

int printContrast(const QString& first, const QString& second) {
    const std::optional<Rgb> one = readColour(first);
    const std::optional<Rgb> two = readColour(second);
    if (!one || !two) {
        qCWarning(lcApp).noquote()
            << QStringLiteral("\"%1\" is not a colour").arg(one ? second : first);
        return 2;
    }
    const double ratio = Contrast::ratio(*one, *two);
    QString report = Contrast::ratioText(ratio) + QStringLiteral(":1\n");
    for (const Contrast::Criterion criterion : Contrast::AllCriteria) {
        report += QStringLiteral("%1 (%2): %3\n")
                      .arg(QLatin1String(Contrast::criterionName(criterion)),
                           Contrast::thresholdText(criterion),
                           Contrast::meets(ratio, criterion) ? QStringLiteral("pass")
                                                             : QStringLiteral("fail"));
    }
    return writeStandardOutput(report.toStdString()) ? 0 : 1;
}
