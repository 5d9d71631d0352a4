#include "FormLayout.h"

#include <QFont>
#include <QPalette>
#include <QVariant>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

namespace FormLayout {

namespace {

constexpr const char* TagProperty = "tag";

QFont fontFor(FontRole role, const QFont& windowFont) {
    if (role == FontRole::Window) {
        return windowFont;
    }
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(role == FontRole::Courier11 ? 11 : 13);
    return font;
}

QFont fontFor(const FontSpec& wanted) {
    QFont font(QString::fromLatin1(wanted.family));
    font.setStyleHint(wanted.styleHint);
    font.setPixelSize(wanted.pixelSize);
    font.setBold(wanted.bold);
    font.setItalic(wanted.italic);
    font.setUnderline(wanted.underline);
    return font;
}

} // namespace

const Control& row(const Window& window, const char* name) {
    const auto found =
        std::find_if(window.controls.begin(), window.controls.end(),
                     [name](const Control& c) { return std::strcmp(c.name, name) == 0; });
    if (found == window.controls.end()) {
        throw std::logic_error(std::string("no layout row for ") + name);
    }
    return *found;
}

void apply(QWidget* widget, const Control& row) {
    widget->setObjectName(QString::fromLatin1(row.name));
    widget->setGeometry(row.geometry);
    if (row.tag != NoTag) {
        widget->setProperty(TagProperty, row.tag);
    }
    if (row.hint != nullptr) {
        widget->setToolTip(QString::fromUtf8(row.hint));
    }
    if (row.background != 0 || row.foreground != 0) {
        QPalette palette = widget->palette();
        if (row.background != 0) {
            palette.setColor(QPalette::Base, QColor::fromRgb(row.background));
            palette.setColor(QPalette::Window, QColor::fromRgb(row.background));
            widget->setAutoFillBackground(true);
        }
        if (row.foreground != 0) {
            palette.setColor(QPalette::Text, QColor::fromRgb(row.foreground));
            palette.setColor(QPalette::WindowText, QColor::fromRgb(row.foreground));
            palette.setColor(QPalette::ButtonText, QColor::fromRgb(row.foreground));
        }
        widget->setPalette(palette);
    }
    if (row.ownFont != nullptr) {
        widget->setFont(fontFor(*row.ownFont));
    } else if (row.font != FontRole::Window) {
        widget->setFont(fontFor(row.font, widget->font()));
    }
    if (row.accessibleName != nullptr) {
        widget->setAccessibleName(QString::fromUtf8(row.accessibleName));
    }
    if (row.handCursor) {
        widget->setCursor(Qt::PointingHandCursor);
    }
    widget->setFocusPolicy(row.tabOrder == NoTabStop ? Qt::NoFocus : widget->focusPolicy());
}

void applyWindow(QWidget* window, const Window& layout) {
    window->setFixedSize(layout.clientSize);
    QFont font(QString::fromLatin1(layout.fontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(layout.fontPixelSize);
    window->setFont(font);
}

void applyTabOrder(QWidget* window, const Window& layout) {
    std::vector<const Control*> stops;
    for (const Control& c : layout.controls) {
        if (c.tabOrder != NoTabStop) {
            stops.push_back(&c);
        }
    }
    // (the panel's place, the place on the panel); a panel itself comes before its stops.
    const auto place = [&layout](const Control* c) {
        return c->parent == nullptr ? std::pair{c->tabOrder, -1}
                                    : std::pair{row(layout, c->parent).tabOrder, c->tabOrder};
    };
    std::stable_sort(stops.begin(), stops.end(),
                     [&place](const Control* a, const Control* b) { return place(a) < place(b); });
    QWidget* previous = nullptr;
    for (const Control* c : stops) {
        auto* widget = window->findChild<QWidget*>(QString::fromLatin1(c->name));
        if (widget == nullptr || widget->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

QWidget* parentFor(QWidget* window, const Control& row) {
    return row.parent == nullptr ? window
                                 : window->findChild<QWidget*>(QString::fromLatin1(row.parent));
}

int tagOf(const QObject* control) {
    const QVariant tag = control->property(TagProperty);
    return tag.isValid() ? tag.toInt() : NoTag;
}

} // namespace FormLayout
