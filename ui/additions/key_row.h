#pragma once
#include <QList>
#include <QString>
#include <Qt>
#include <functional>

class QWidget;

// A key of the window wherever its focus is: the key, its modifiers exactly (of Shift, Ctrl, Alt
// and Meta), how the key tables write it, what it does as they say it, and its work. The
// controls whose tooltips name it, with what the key does there when their own words do not
// say it ("undoes it").
struct KeyRow {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QString label;
    QString description;
    std::function<void()> action;
    QList<QWidget*> tipOn = {};
    QString tipWords = {};
};
