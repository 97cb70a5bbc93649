// Icons by resource id, their overlays and grey variants, and the page image list's images.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <set>

#include "model/UPageSuper.h"
#include "toolkit/UknIcons.h"

namespace qb {
namespace {

QImage Picture(const QIcon& icon, int size = 16) {
    return icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Records the icon ids the page model asks for.
class TRecordingSink : public IPageImageSink {
  public:
    void AddOverlay(int32_t iconId, int) override { Ids.insert(iconId); }
    void AddIcon(int32_t iconId, int) override { Ids.insert(iconId); }
    bool AddFileIcon(const std::u16string&) override { return false; }
    std::set<int32_t> Ids;
};

// The commands the toolbar may carry, and the program's own icon.
const int32_t kCommandIds[] = {
    1,    1010, 1020, 1030, 1040, 1050, 1060, 1070, 1110, 1120, 1130, 1150, 1140, 1160, 1170, 1180,
    1190, 1200, 1210, 1310, 1320, 1330, 1340, 1350, 1360, 1370, 1400, 1410, 1420, 1430, 1440, 1380,
    1450, 1460, 1490, 5000, 4000, 1560, 1570, 1580, 7000, 7500, 8000, 6500, 1630, 1650, 1710, 1720,
    1730, 1740, 1750, 1760, 1770, 1780, 1790, 1800, 1810, 1820, 1910, 1920, 1930,
};

TEST(IconsTest, EveryResourceIdHasItsOwnIcon) {
    TRecordingSink sink;
    TPageImageList pageImages(sink);
    std::set<int32_t> ids = sink.Ids;
    ids.insert(std::begin(kCommandIds), std::end(kCommandIds));
    ASSERT_GT(ids.size(), 70u);

    const QImage fallback = Picture(TknIcons::Fallback());
    ASSERT_FALSE(fallback.isNull());
    const std::vector<int32_t> listed = TknIcons::Ids();
    for (int32_t id : ids) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(TknIcons::Has(id));
        EXPECT_TRUE(std::binary_search(listed.begin(), listed.end(), id));
        const QImage image = Picture(TknIcons::Icon(id));
        ASSERT_FALSE(image.isNull());
        EXPECT_NE(image, fallback);
        EXPECT_FALSE(Picture(TknIcons::Icon(id), 32).isNull());
    }
}

TEST(IconsTest, UnknownIdsGetTheFallback) {
    EXPECT_FALSE(TknIcons::Has(123456));
    EXPECT_EQ(Picture(TknIcons::Icon(123456)), Picture(TknIcons::Fallback()));
}

TEST(IconsTest, OverlaysChangeTheIconAndDifferFromEachOther) {
    const QImage plain = Picture(TknIcons::Icon(1010));
    std::vector<QImage> variants;
    for (int overlay = 1; overlay <= 3; ++overlay) {
        QImage image = Picture(TknIcons::Overlaid(1010, overlay));
        EXPECT_NE(image, plain) << overlay;
        for (const QImage& other : variants) EXPECT_NE(image, other) << overlay;
        variants.push_back(image);
    }
    EXPECT_EQ(Picture(TknIcons::Overlaid(1010, 0)), plain);
    // The overlay sits in the lower left: the upper right stays the plain icon.
    EXPECT_EQ(variants[0].pixel(14, 2), plain.pixel(14, 2));
}

TEST(IconsTest, GreyKeepsAlphaAndLosesColour) {
    const QImage colour = Picture(TknIcons::Icon(550));
    const QImage grey = Picture(TknIcons::Grey(550));
    ASSERT_EQ(grey.size(), colour.size());
    bool anyColour = false;
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb g = grey.pixel(x, y);
            const QRgb c = colour.pixel(x, y);
            anyColour = anyColour || qRed(c) != qGreen(c) || qGreen(c) != qBlue(c);
            EXPECT_EQ(qRed(g), qGreen(g));
            EXPECT_EQ(qGreen(g), qBlue(g));
            EXPECT_EQ(qAlpha(g), qAlpha(c));
        }
    EXPECT_TRUE(anyColour);
    // The weights: pure red, green and blue.
    QImage rgb(3, 1, QImage::Format_ARGB32);
    rgb.setPixel(0, 0, qRgba(255, 0, 0, 255));
    rgb.setPixel(1, 0, qRgba(0, 255, 0, 255));
    rgb.setPixel(2, 0, qRgba(0, 0, 255, 128));
    const QImage weighed = TknIcons::GreyImage(rgb);
    EXPECT_EQ(qRed(weighed.pixel(0, 0)), 76);   // 0.299 * 255 = 76.2
    EXPECT_EQ(qRed(weighed.pixel(1, 0)), 150);  // 0.587 * 255 = 149.7
    EXPECT_EQ(qRed(weighed.pixel(2, 0)), 29);   // 0.114 * 255 = 29.1
    EXPECT_EQ(qAlpha(weighed.pixel(2, 0)), 128);
}

TEST(IconsTest, PictureFilesAreTheirOwnIcons) {
    QTemporaryDir dir;
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(qRgba(255, 0, 0, 255));
    for (const char* format : {"png", "ico"}) {
        SCOPED_TRACE(format);
        const QString path = dir.filePath(QStringLiteral("Red.") + QString::fromLatin1(format));
        ASSERT_TRUE(red.save(path, format));
        const QImage shown = Picture(TknIcons::FileIcon(path.toStdU16String()));
        ASSERT_FALSE(shown.isNull());
        EXPECT_EQ(shown.pixel(8, 8), qRgba(255, 0, 0, 255));
    }
    EXPECT_TRUE(TknIcons::FileIcon(u"").isNull());
}

TEST(IconsTest, PageImageListDrawsIntoTheSink) {
    TknPageImageSink& sink = InstallPageImageSink();
    EXPECT_EQ(PageImageSink(), &sink);
    TPageImageList& list = PageImageList();
    EXPECT_EQ(sink.Count(), list.Count());
    const int note = list.GetBaseIndex(ptNote);
    ASSERT_GE(note, 0);
    EXPECT_EQ(Picture(PageImage(note)), Picture(TknIcons::Icon(1010)));
    EXPECT_EQ(Picture(PageImage(note + 1)), Picture(TknIcons::Overlaid(1010, 1)));  // locked
    EXPECT_EQ(Picture(PageImage(note + 3)), Picture(TknIcons::Overlaid(1010, 3)));  // read-only
    const int memo = list.GetBaseIndex(ptMemoItem);
    EXPECT_EQ(Picture(PageImage(memo + 1)), Picture(TknIcons::Grey(550)));
    EXPECT_EQ(Picture(PageImage(-1)), Picture(TknIcons::Fallback()));

    QTemporaryDir dir;
    const QString iconFile = dir.filePath(QStringLiteral("mine.svg"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(":/icons/1060.svg"), iconFile));
    const int before = sink.Count();
    const int index = list.AddIconFile(iconFile.toStdU16String());
    EXPECT_EQ(index, before);
    EXPECT_EQ(Picture(PageImage(index)), Picture(TknIcons::Icon(1060)));
    EXPECT_EQ(list.AddIconFile(dir.path().toStdU16String()), before + 1);  // a folder's icon
    EXPECT_EQ(list.AddIconFile(u"/no/such/file.qbunknowntype"), -1);
    EXPECT_EQ(sink.Count(), before + 2);

    SetPageImageSink(nullptr);  // the page model drops it
    EXPECT_EQ(PageImageSink(), nullptr);
}

}  // namespace
}  // namespace qb
