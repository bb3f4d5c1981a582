// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's widgets as its layout places them: each with its object
// name and its geometry in the window's design units.

#include <QColor>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QRect>
#include <QString>

// A colour list entry's sample.
inline QIcon ColorSwatch(QColor color)
{
    QPixmap swatch(16, 12);
    swatch.fill(color);
    return QIcon(swatch);
}

inline QFont WindowFont() { return QFont(QStringLiteral("Tahoma"), 8); }

inline QFont BoldFont()
{
    QFont font = WindowFont();
    font.setBold(true);
    return font;
}

template <typename W>
W* Named(W* widget, const char* name, QRect geometry)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

inline QPushButton* Button(const QString& caption, const char* name, QWidget* parent, QRect geometry, bool bold)
{
    auto* button = Named(new QPushButton(caption, parent), name, geometry);
    button->setFont(bold ? BoldFont() : WindowFont());
    return button;
}

// A bold command button: 116 x 25 at left 9 of its group.
inline QPushButton* CommandButton(const QString& caption, const char* name, QWidget* group, int top)
{
    return Button(caption, name, group, QRect(9, top, 116, 25), true);
}

// A group of the command panel: 136 wide at left 5.
inline QGroupBox* Group(const QString& caption, const char* name, QWidget* parent, int top, int height)
{
    return Named(new QGroupBox(caption, parent), name, QRect(5, top, 136, height));
}
