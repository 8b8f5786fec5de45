#include "ui/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "model/parts_list.h"
#include "ui/Unit1.h"

using namespace kadro;

Clipboard::Clipboard(TForm1& form, ViewState& state, CellGrid& grid)
    : QObject(&form), form_(form), state_(state), grid_(grid) {}

void Clipboard::copyPartsList() {
    const PartsList list = partsList(state_, grid_);
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(partsListText(list)));
    data->setHtml(QString::fromStdString(partsListHtml(list)));
    QGuiApplication::clipboard()->setMimeData(data);
}

void Clipboard::copyPicture() {
    QGuiApplication::clipboard()->setImage(imageOf(form_.Image1->canvas().target()).copy());
}
