#include "shell/ui/UAboutBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ULangManager.h"
#include "shell/UOptionsLayout.h"
#include "toolkit/UknIcons.h"

namespace qb {

namespace {

constexpr int32_t kAboutCaptionId = 15010;
constexpr int32_t kVersionTextId = 15011;
constexpr int32_t kAboutTextId = 15012;

QString Text(int32_t id) {
    return QString::fromStdU16String(LangText(id));
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : TknDialog(parent, LangText(kAboutCaptionId)) {
    auto* icon = new QLabel;
    icon->setPixmap(TknIcons::Icon(kAppIconId).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(QStringLiteral("quillbox"));
    QFont large = name->font();
    large.setPointSize(large.pointSize() + 6);
    large.setBold(true);
    name->setFont(large);
    auto* version = new QLabel(VersionText());
    version->setObjectName(QStringLiteral("version"));
    auto* about = new QLabel(Text(kAboutTextId));
    about->setWordWrap(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addSpacing(8);
    texts->addWidget(about);
    texts->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addWidget(icon);
    body->addLayout(texts, 1);

    // One button: the box only informs.
    QDialogButtonBox* buttons = ButtonBox(LangText(kOkTextId));
    delete CancelButton();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

QString TAboutBox::VersionText() {
    return Text(kVersionTextId) + u' ' + QStringLiteral(QB_VERSION);
}

void ShowAboutBox(QWidget* parent) {
    TAboutBox box(parent);
    box.Execute();
}

}  // namespace qb
