#pragma once

#include "Result.h"

#include <functional>

class QObject;
class QString;

// Hands mailto: and web addresses to the desktop's default handler.  The program's opener
// runs the desktop's launcher; the widget tests answer with one of their own.
class LinkOpener {
public:
    virtual ~LinkOpener() = default;
    LinkOpener() = default;
    LinkOpener(const LinkOpener&) = delete;
    LinkOpener& operator=(const LinkOpener&) = delete;

    // Returns at once.  `done` runs once, later, from the event loop, with a Failure when no
    // handler could be started; it never runs if `owner` is destroyed first.
    virtual void open(QObject& owner, const QString& url,
                      std::function<void(const Result<void>&)> done) = 0;
};
