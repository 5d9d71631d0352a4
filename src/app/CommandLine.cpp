#include "CommandLine.h"

#include "AppLog.h"
#include "StandardStreams.h"
#include "TintorVersion.h"

#include <QString>
#include <QStringList>

#include <cstring>
#include <string>

namespace {

constexpr const char* Usage =
    "Usage: tintor [Qt options]\n"
    "       tintor --pick [--format F]\n"
    "       tintor --recent [--format F]\n"
    "       tintor --contrast COLOUR COLOUR\n"
    "An always-on-top colour picker for the Linux desktop (X11 and Wayland sessions): RGB\n"
    "sliders, web-safe colours, and colours picked from anywhere on the screen.\n"
    "\n"
    "  --pick      start picking at once; print the colour picked on standard output and\n"
    "              exit 0, or exit 1 with nothing printed when the pick is cancelled\n"
    "              (Escape, or the window closed).  Nothing is stored.\n"
    "  --recent    print the recent colours, newest first, one a line, and exit\n"
    "  --contrast  print the contrast ratio of two colours (WCAG 2.2) as N.NN:1, rounded\n"
    "              down, then whether it passes each success criterion, and exit 0;\n"
    "              each COLOUR is any text a paste takes ('#777', white, 'oklch(0.6 0.1\n"
    "              250)'); one that is not a colour exits 2\n"
    "  --format F  how --pick and --recent print colours:";

constexpr const char* UsageEnd =
    "\n"
    "  --version   print the version and exit\n"
    "  --help      print this help and exit\n"
    "\n"
    "Other arguments are ignored; Qt's own options (such as -platform) work as usual.\n";

QStringList offeredNames() {
    QStringList names;
    for (const FormRow& row : colourForms()) {
        if (row.offered) {
            names << QLatin1String(row.name);
        }
    }
    return names;
}

// The forms --format takes, each with its shape, wrapped under the options' texts.
std::string usage() {
    constexpr qsizetype Width = 88;
    const QString indent(14, QLatin1Char(' '));
    QString text = QLatin1String(Usage);
    qsizetype column = text.size() - text.lastIndexOf(u'\n') - 1;
    const QStringList names = offeredNames();
    for (const QString& name : names) {
        const ColourForm form = *formNamed(name);
        const QString entry =
            name + QLatin1Char(' ') + formShape(form) +
            (form == ColourForm::Hash ? QStringLiteral(" (the default)") : QString()) +
            (name == names.back() ? QString() : QStringLiteral(","));
        if (column + 1 + entry.size() > Width) {
            text += QLatin1Char('\n') + indent;
            column = indent.size();
        } else {
            text += QLatin1Char(' ');
            ++column;
        }
        text += entry;
        column += entry.size();
    }
    return (text + QLatin1String(UsageEnd)).toStdString();
}

// "hex, rgb, ... or dollar"
std::string formNames() {
    QStringList names = offeredNames();
    const QString last = names.takeLast();
    return (names.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last).toStdString();
}

// The usual status of a command used wrongly, apart from 1, a cancelled pick.
constexpr int WrongUsage = 2;

// A full disk or a closed stream is a failure, not an answer given.
CommandLine answer(const std::string& text) {
    return {writeStandardOutput(text) ? 0 : 1, std::nullopt, std::nullopt, std::nullopt};
}

CommandLine wrongUsage(const char* why) {
    qCWarning(lcApp).noquote() << why << "(see tintor --help)";
    return {WrongUsage, std::nullopt, std::nullopt, std::nullopt};
}

} // namespace

CommandLine readCommandLine(int argc, char* argv[]) {
    bool pick = false;
    bool recent = false;
    const char* format = nullptr;
    std::optional<std::pair<QString, QString>> contrast;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--version") == 0) {
            return answer(std::string("Tintor ") + TintorVersion::displayed + "\n");
        }
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            return answer(usage());
        }
        if (std::strcmp(argument, "--pick") == 0) {
            pick = true;
        } else if (std::strcmp(argument, "--recent") == 0) {
            recent = true;
        } else if (std::strcmp(argument, "--contrast") == 0) {
            if (i + 2 >= argc) {
                return wrongUsage("--contrast needs two colours");
            }
            contrast.emplace(QString::fromLocal8Bit(argv[i + 1]),
                             QString::fromLocal8Bit(argv[i + 2]));
            i += 2;
        } else if (std::strcmp(argument, "--format") == 0) {
            if (i + 1 == argc) {
                return wrongUsage("--format needs a form: hex, rgb, hsl...");
            }
            format = argv[++i];
        } else if (std::strncmp(argument, "--format=", 9) == 0) {
            format = argument + 9;
        }
    }
    if (int(pick) + int(recent) + int(contrast.has_value()) > 1) {
        return wrongUsage("--pick, --recent and --contrast go alone");
    }
    if (format != nullptr && !pick && !recent) {
        return wrongUsage("--format goes with --pick or --recent");
    }
    const std::optional<ColourForm> form =
        format != nullptr ? formNamed(QString::fromLocal8Bit(format)) : ColourForm::Hash;
    if (!form) {
        const std::string why = "--format takes " + formNames() + ", not \"" + format + '"';
        return wrongUsage(why.c_str());
    }
    return {std::nullopt, pick ? form : std::nullopt, recent ? form : std::nullopt, contrast};
}
