#include "toolkit/UknTrackingTip.h"
#include "toolkit/UknQtText.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace qb {

namespace {

// A tip's text as rich text: the title in bold, then the lines as they are.
QString TipHtml(std::u16string_view text, std::u16string_view title) {
    QString body = QtText(text).toHtmlEscaped();
    body.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    body.replace(QChar(u'\n'), QStringLiteral("<br>"));
    body.replace(QChar(u'\r'), QStringLiteral("<br>"));
    if (title.empty()) return body;
    return QStringLiteral("<b>%1</b><br>%2").arg(QtText(title).toHtmlEscaped(), body);
}

}  // namespace

TknTrackingTip::TknTrackingTip(int maxWidth, int showDelay, int hideDelay)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      FMaxWidth(maxWidth),
      FShowDelay(showDelay),
      FHideDelay(hideDelay),
      FLabel(new QLabel(this)),
      FShowTimer(new QTimer(this)),
      FHideTimer(new QTimer(this)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(FLabel);
    FLabel->setTextFormat(Qt::RichText);
    FLabel->setWordWrap(false);
    setAutoFillBackground(true);
    SetColor(QColor(255, 255, 225));
    FShowTimer->setSingleShot(true);
    FHideTimer->setSingleShot(true);
    connect(FShowTimer, &QTimer::timeout, this, &TknTrackingTip::Appear);
    connect(FHideTimer, &QTimer::timeout, this, &TknTrackingTip::Hide);
}

TknTrackingTip::~TknTrackingTip() {
    if (qApp) qApp->removeEventFilter(this);
}

void TknTrackingTip::ShowAt(std::u16string_view text, QPoint point, std::u16string_view title) {
    FText = text;
    FPoint = point;
    FLabel->setText(TipHtml(text, title));
    // The plain text as the window's name, for screen readers and window searches.
    QString name = QtText(title).isEmpty() ? QtText(text) : QtText(title) + u' ' + QtText(text);
    setWindowTitle(name.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).left(200));
    // Short texts keep one line; longer ones wrap at the tip's widest.
    FLabel->setWordWrap(false);
    if (FLabel->sizeHint().width() > FMaxWidth) {
        FLabel->setWordWrap(true);
        FLabel->setFixedWidth(FMaxWidth);
    } else {
        FLabel->setMinimumWidth(0);
        FLabel->setMaximumWidth(QWIDGETSIZE_MAX);
    }
    adjustSize();
    FPending = true;
    FHideTimer->stop();
    if (FShowDelay > 0 && !isVisible())
        FShowTimer->start(FShowDelay);
    else
        Appear();
}

void TknTrackingTip::ShowAtCursor(std::u16string_view text, std::u16string_view title) {
    ShowAt(text, QCursor::pos() + QPoint(0, 20), title);  // below the pointer, not under it
}

void TknTrackingTip::Appear() {
    FShowTimer->stop();
    QPoint point = FPoint;
    QScreen* screen = QGuiApplication::screenAt(FPoint);
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        point.setX(
            std::clamp(point.x(), area.left(), std::max(area.left(), area.right() - width())));
        point.setY(
            std::clamp(point.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    }
    move(point);
    show();
    raise();
    qApp->installEventFilter(this);
    if (FHideDelay > 0) FHideTimer->start(FHideDelay);
}

void TknTrackingTip::Hide() {
    FPending = false;
    FShowTimer->stop();
    FHideTimer->stop();
    if (qApp) qApp->removeEventFilter(this);
    hide();
}

bool TknTrackingTip::Showing() const {
    return FPending && (isVisible() || FShowTimer->isActive());
}

void TknTrackingTip::SetColor(QColor background) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
}

bool TknTrackingTip::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
            Hide();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace qb
