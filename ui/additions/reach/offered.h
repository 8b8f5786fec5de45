#pragma once
// The objects offered to screen readers as something Qt does not make them: each with what makes
// its interface, kept until the object is destroyed. Qt's accessibility factories are plain
// functions, so there is one list for the whole program.
#include <QAccessible>
#include <functional>

class QObject;

using AccessibleMaker = std::function<QAccessibleInterface*()>;

// Offers `object` with the interfaces `make` makes. With a screen reader already listening, the
// object may have had an interface of Qt's own kind since its creation: it is made anew.
void offerAccessible(QObject* object, AccessibleMaker make);
// Offers `object` as Qt would again (its own offering ends with it anyway).
void withdrawAccessible(QObject* object);
