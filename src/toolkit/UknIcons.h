#pragma once

// The program's icons by resource id (page types, list items, commands, the tray), drawn from
// the SVG files under res/icons, and the images of the page image list: each page type's icon
// plain and with the Locked, Protected and ReadOnly overlays, grey variants, and the icons of
// files the user picks.

#include <QIcon>
#include <QImage>
#include <string>
#include <vector>

#include "model/UPageFactory.h"

namespace qb {

// The overlay resources: 570 lock (Locked), 571 shield (Protected), 572 pencil struck out
// (ReadOnly).
constexpr int32_t kOverlayLock = 570;
constexpr int32_t kOverlayShield = 571;
constexpr int32_t kOverlayReadOnly = 572;
constexpr int32_t kAppIconId = 1;  // the window and the tray icon

class TknIcons {
  public:
    // The icon of a resource id; the fallback icon for an id without one.
    static QIcon Icon(int32_t iconId);
    static bool Has(int32_t iconId);
    // Every id that has an icon of its own, ascending.
    static std::vector<int32_t> Ids();
    static QIcon Fallback();

    // The icon with overlay 1 (lock), 2 (shield) or 3 (read-only) in its lower left corner;
    // overlay 0 is the plain icon.
    static QIcon Overlaid(int32_t iconId, int overlay);
    // The icon with every pixel turned grey (0.299 R + 0.587 G + 0.114 B), alpha kept.
    static QIcon Grey(int32_t iconId);
    static QImage GreyImage(const QImage& image);

    // An icon file (.ico, .png, .svg), else the icon of the folder or of the file's type; a
    // null icon when the path names nothing.
    static QIcon FileIcon(const std::u16string& path);

    // The sizes the icons are drawn at.
    static constexpr int kSmall = 16;
    static constexpr int kLarge = 32;
};

// The page image list's images, in the order the page model adds them (an image's index is
// the page model's image index). One list serves small, large and state images: a QIcon is
// drawn at any size.
class TknPageImageSink : public IPageImageSink {
  public:
    ~TknPageImageSink() override;
    void AddOverlay(int32_t iconId, int overlay) override;
    void AddIcon(int32_t iconId, int variant) override;
    bool AddFileIcon(const std::u16string& fileName) override;

    int Count() const { return static_cast<int>(FImages.size()); }
    // The image at an index; the fallback icon for an index out of range.
    QIcon Image(int index) const;

  private:
    std::vector<QIcon> FImages;
};

// Creates the page image sink and hands it to the page model (which owns it).
TknPageImageSink& InstallPageImageSink();
// The installed sink, null before InstallPageImageSink or after the page model dropped it.
TknPageImageSink* PageImageSink();
// The page model's image by index (PageImageList() indices), the fallback icon without one.
QIcon PageImage(int index);

}  // namespace qb
