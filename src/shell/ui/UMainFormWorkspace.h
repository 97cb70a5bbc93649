#pragma once

// The main window's client area until the page views exist: it builds the system pages, saves
// the notebook when the save center asks, shows which page is active, and has a tree panel that
// Show Tree switches.

#include <QWidget>
#include <memory>

#include "model/UPageFactory.h"
#include "shell/UknClasses.h"

class QLabel;

namespace qb {

class TSysPageManager;

class TMainFormWorkspace : public QWidget, public ISaver, public IPageObserver {
  public:
    explicit TMainFormWorkspace(QWidget* parent);
    ~TMainFormWorkspace() override;

    void Save() override;
    void PageEvent(uint8_t event, int32_t pageId, int32_t argument) override;

    void ShowTree(bool show);
    bool TreeShown() const;
    QWidget* PageArea() const;

  private:
    void ShowActivePage();

    std::unique_ptr<TSysPageManager> FSysPages;
    QLabel* FTree;
    QLabel* FPageArea;
};

}  // namespace qb
