#include "MailLink.h"

std::string mailSubject(std::string_view programName, std::string_view versionText) {
    std::string subject = "Programma ";
    subject.append(programName).append(", ").append(versionText);
    return subject;
}

std::string mailTarget(std::string_view address, std::string_view subject,
                       std::span<const std::string> bodyLines) {
    std::string target = "mailto:";
    target.append(address).append("?Subject=").append(subject).append("&Body=");
    for (std::size_t i = 0; i < bodyLines.size(); ++i) {
        if (i > 0) {
            target += "%0D%0A";
        }
        target += bodyLines[i];
    }
    return target;
}
