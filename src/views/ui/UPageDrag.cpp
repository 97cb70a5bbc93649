#include "views/ui/UPageDrag.h"

#include <QDropEvent>
#include <QUrl>

namespace qb {

namespace {

const QString kPagesFormat = QStringLiteral("application/x-quillbox-pages");
const QString kFromTreeFormat = QStringLiteral("application/x-quillbox-from-tree");

}  // namespace

std::unique_ptr<QMimeData> PageDragData(const std::vector<int32_t>& pageIds, bool fromTree) {
    auto data = std::make_unique<QMimeData>();
    QStringList ids;
    for (int32_t id : pageIds) ids << QString::number(id);
    data->setData(kPagesFormat, ids.join(QLatin1Char(',')).toLatin1());
    if (fromTree) data->setData(kFromTreeFormat, QByteArray("1"));
    return data;
}

bool CanDropOn(const QMimeData* data) {
    return data && (data->hasFormat(kPagesFormat) || !DroppedFiles(data).empty());
}

std::vector<std::u16string> DroppedFiles(const QMimeData* data) {
    std::vector<std::u16string> files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdU16String());
    return files;
}

TDropObject DropObjectOf(const QDropEvent& event) {
    TDropObject object;
    const QMimeData* data = event.mimeData();
    if (data->hasFormat(kPagesFormat)) {
        for (const QByteArray& id : data->data(kPagesFormat).split(','))
            if (bool ok = false; !id.isEmpty()) {
                const int32_t value = id.toInt(&ok);
                if (ok) object.PageIds.push_back(value);
            }
        object.FromTree = data->hasFormat(kFromTreeFormat);
    } else {
        object.FileNames = DroppedFiles(data);
    }
    object.Copy = event.modifiers() & Qt::ControlModifier;
    object.AsSibling = event.modifiers() & Qt::ShiftModifier;
    return object;
}

}  // namespace qb
