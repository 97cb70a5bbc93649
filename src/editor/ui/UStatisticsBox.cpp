#include "editor/ui/UStatisticsBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "editor/UStatisticsHandler.h"
#include "model/UPageFactory.h"
#include "model/UPageSuper.h"
#include "shell/ULangManager.h"
#include "toolkit/UknQtText.h"

namespace qb {

namespace {

QPlainTextEdit* Field() {
    auto* field = new QPlainTextEdit;
    field->setReadOnly(true);
    field->setLineWrapMode(QPlainTextEdit::NoWrap);
    return field;
}

}  // namespace

TStatisticsBox::TStatisticsBox(QWidget* parent)
    : TknDialog(parent, LangText(11250, u"Statistics")), FLabels(Field()), FValues(Field()) {
    auto* tabs = new QTabBar;
    tabs->addTab(QtText(LangText(11280, u"Current Page")));
    tabs->addTab(QtText(LangText(11290, u"Database")));
    auto* fields = new QHBoxLayout;
    fields->addWidget(FLabels);
    fields->addWidget(FValues);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(fields);
    layout->addWidget(ButtonBox());
    CancelButton()->hide();
    connect(tabs, &QTabBar::currentChanged, this, [this](int tab) { ShowTab(tab); });
    ShowTab(0);
}

void TStatisticsBox::ShowTab(int tab) {
    TStoreStatisticsSource source;
    TPageSuper* active = PageCenter().ActivePage();
    const TStatisticsTab lines = tab == 0 ? CurrentPageStatistics(source, active ? active->Id() : 0)
                                          : DatabaseStatistics(source);
    const TStatisticsFields fields = StatisticsFields(lines);
    FLabels->setPlainText(QtText(fields.Labels));
    FValues->setPlainText(QtText(fields.Values));
}

}  // namespace qb
