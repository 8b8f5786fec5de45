#include "ui/additions/reach/offered.h"

#include <QHash>
#include <QObject>

namespace {

QHash<const QObject*, AccessibleMaker>& offered() {
    static QHash<const QObject*, AccessibleMaker> objects;
    return objects;
}

// The interface the factory made last, to tell it from one Qt had made before.
const QAccessibleInterface* lastMade = nullptr;

QAccessibleInterface* factory(const QString&, QObject* object) {
    const auto found = offered().constFind(object);
    if (found == offered().constEnd()) return nullptr;
    QAccessibleInterface* made = found.value()();
    lastMade = made;
    return made;
}

}  // namespace

void offerAccessible(QObject* object, AccessibleMaker make) {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
    offered().insert(object, std::move(make));
    QObject::connect(object, &QObject::destroyed, [object] { offered().remove(object); });
    lastMade = nullptr;
    QAccessibleInterface* now = QAccessible::queryAccessibleInterface(object);
    if (now && now != lastMade) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(now));
}

void withdrawAccessible(QObject* object) { offered().remove(object); }
