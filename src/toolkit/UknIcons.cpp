#include "toolkit/UknIcons.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <algorithm>
#include <map>

// The icons live in a static library: its resources register only when asked to.
static void InitIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace qb {

namespace {

// The sizes each icon is drawn at: menus, toolbars, the large list view.
constexpr int kDrawSizes[] = {16, 24, 32, 48};

QString IconPath(int32_t iconId) {
    static const bool registered = (InitIconResources(), true);
    (void)registered;
    return QStringLiteral(":/icons/%1.svg").arg(iconId);
}

QImage Render(const QString& path, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) return {};
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// An icon made of one drawing per size.
template <class Draw>
QIcon DrawnIcon(Draw draw) {
    QIcon icon;
    for (int size : kDrawSizes) {
        QImage image = draw(size);
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QImage RenderId(int32_t iconId, int size) {
    const QString path =
        TknIcons::Has(iconId) ? IconPath(iconId) : QStringLiteral(":/icons/unknown.svg");
    return Render(path, size);
}

// Drawn icons are kept: the page image list asks for the same ones again and again.
std::map<std::pair<int32_t, int>, QIcon>& Cache() {
    static std::map<std::pair<int32_t, int>, QIcon> cache;
    static const bool cleared = [] {
        // Pixmaps must go while the application still exists.
        qAddPostRoutine([] { Cache().clear(); });
        return true;
    }();
    (void)cleared;
    return cache;
}

constexpr int kGreyKey = 100;

template <class Make>
QIcon Cached(int32_t iconId, int key, Make make) {
    auto& cache = Cache();
    auto it = cache.find({iconId, key});
    if (it == cache.end()) it = cache.emplace(std::make_pair(iconId, key), make()).first;
    return it->second;
}

constexpr int32_t kOverlayIds[] = {kOverlayLock, kOverlayShield, kOverlayReadOnly};

TknPageImageSink* gSink = nullptr;

}  // namespace

bool TknIcons::Has(int32_t iconId) {
    return QFile::exists(IconPath(iconId));
}

std::vector<int32_t> TknIcons::Ids() {
    std::vector<int32_t> ids;
    for (const QString& name :
         QDir(QStringLiteral(":/icons")).entryList({QStringLiteral("*.svg")})) {
        bool number = false;
        int32_t id = QFileInfo(name).completeBaseName().toInt(&number);
        if (number) ids.push_back(id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

QIcon TknIcons::Icon(int32_t iconId) {
    return Cached(iconId, 0, [iconId] {
        return DrawnIcon([iconId](int size) { return RenderId(iconId, size); });
    });
}

QIcon TknIcons::Fallback() {
    return Icon(-1);  // no resource has a negative id
}

QIcon TknIcons::Overlaid(int32_t iconId, int overlay) {
    if (overlay < 1 || overlay > 3) return Icon(iconId);
    return Cached(iconId, overlay, [iconId, overlay] {
        return DrawnIcon([iconId, overlay](int size) {
            QImage image = RenderId(iconId, size);
            // The overlay takes the lower left corner, as the list views draw their overlays.
            const int corner = size * 5 / 8;
            QImage mark = Render(IconPath(kOverlayIds[overlay - 1]), corner);
            // A white rim keeps the mark legible on any icon (a lock on a yellow folder).
            QImage rim = mark;
            QPainter rimPainter(&rim);
            rimPainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
            rimPainter.fillRect(rim.rect(), Qt::white);
            rimPainter.end();
            QPainter painter(&image);
            const int width = std::max(1, size / 16);
            for (int dx = -width; dx <= width; dx += width)
                for (int dy = -width; dy <= width; dy += width)
                    painter.drawImage(dx, size - corner + dy, rim);
            painter.drawImage(0, size - corner, mark);
            return image;
        });
    });
}

QImage TknIcons::GreyImage(const QImage& image) {
    QImage grey = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb pixel = line[x];
            const int value =
                qRound(0.299 * qRed(pixel) + 0.587 * qGreen(pixel) + 0.114 * qBlue(pixel));
            line[x] = qRgba(value, value, value, qAlpha(pixel));
        }
    }
    return grey;
}

QIcon TknIcons::Grey(int32_t iconId) {
    return Cached(iconId, kGreyKey, [iconId] {
        return DrawnIcon([iconId](int size) { return GreyImage(RenderId(iconId, size)); });
    });
}

QIcon TknIcons::FileIcon(const std::u16string& path) {
    const QString name = QString::fromStdU16String(path);
    if (name.isEmpty()) return {};
    const QFileInfo info(name);
    if (info.isFile() && info.suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
        QIcon drawing = DrawnIcon([&name](int size) { return Render(name, size); });
        if (!drawing.isNull()) return drawing;
    } else if (info.isFile()) {
        QIcon own(name);  // an icon or picture file is its own icon
        if (!own.availableSizes().isEmpty() && !own.pixmap(kSmall).isNull()) return own;
    }
    if (info.exists()) return QFileIconProvider().icon(info);
    // A file that is not there: the icon of its type, as the name tells it.
    const QMimeType type = QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    if (type.isDefault()) return {};
    return QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
}

// --- TknPageImageSink ---

TknPageImageSink::~TknPageImageSink() {
    if (gSink == this) gSink = nullptr;
}

void TknPageImageSink::AddOverlay(int32_t iconId, int) {
    FImages.push_back(TknIcons::Icon(iconId));
}

void TknPageImageSink::AddIcon(int32_t iconId, int variant) {
    FImages.push_back(variant == ivGrey ? TknIcons::Grey(iconId)
                                        : TknIcons::Overlaid(iconId, variant));
}

bool TknPageImageSink::AddFileIcon(const std::u16string& fileName) {
    QIcon icon = TknIcons::FileIcon(fileName);
    if (icon.isNull()) return false;
    FImages.push_back(icon);
    return true;
}

QIcon TknPageImageSink::Image(int index) const {
    if (index < 0 || index >= Count()) return TknIcons::Fallback();
    return FImages[static_cast<size_t>(index)];
}

TknPageImageSink& InstallPageImageSink() {
    auto sink = std::make_unique<TknPageImageSink>();
    TknPageImageSink& installed = *sink;
    SetPageImageSink(std::move(sink));
    gSink = &installed;
    return installed;
}

TknPageImageSink* PageImageSink() {
    return gSink;
}

QIcon PageImage(int index) {
    if (!gSink) return TknIcons::Fallback();
    PageImageList();  // the page model fills the sink when its image list is first made
    return gSink ? gSink->Image(index) : TknIcons::Fallback();
}

}  // namespace qb
