// The main window's commands and its menu bar. Each menu's commands live in a file of their
// own: FileMenu.cpp, EditMenu.cpp, StressingMenu.cpp and ViewMenu.cpp; Copy Result, Stress
// Text, Quit and About are the window's own.
#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QList>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>

#include "app/Settings.h"
#include "app/uLexipulse.h"

namespace lexipulse {

// The window's commands, each with its mnemonic and, where it has one, its shortcut, which
// the menus show. Shortcuts belong to the window, so they work from either text box; the boxes
// keep their standard editing keys, none of which these overlap.
void TfLexipulse::createActions() {
  const auto action = [this](QAction*& item, const char* name, const QString& text,
                             void (TfLexipulse::*command)(), const QList<QKeySequence>& keys) {
    item = new QAction(text, this);
    item->setObjectName(QLatin1String(name));
    item->setShortcuts(keys);
    connect(item, &QAction::triggered, this, command);
    addAction(item);
  };
  action(mnOpen, "mnOpen", QStringLiteral("&Open..."), &TfLexipulse::mnOpenClick,
         {QKeySequence(Qt::CTRL | Qt::Key_O)});
  action(mnSaveAs, "mnSaveAs", QStringLiteral("&Save Result As..."), &TfLexipulse::mnSaveAsClick,
         {QKeySequence(Qt::CTRL | Qt::Key_S)});
  action(mnExportHtml, "mnExportHtml", QStringLiteral("Export as &HTML..."),
         &TfLexipulse::mnExportHtmlClick, {});
  action(mnExportPdf, "mnExportPdf", QStringLiteral("Export as P&DF..."),
         &TfLexipulse::mnExportPdfClick, {});
  action(mnPrint, "mnPrint", QStringLiteral("&Print..."), &TfLexipulse::mnPrintClick,
         {QKeySequence(Qt::CTRL | Qt::Key_P)});
  action(mnQuit, "mnQuit", QStringLiteral("&Quit"), &TfLexipulse::mnQuitClick,
         {QKeySequence(Qt::CTRL | Qt::Key_Q)});

  action(mnCopy, "mnCopy", QStringLiteral("&Copy Result"), &TfLexipulse::btnCopyClick,
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)});
  action(mnCopyFormatted, "mnCopyFormatted", QStringLiteral("Copy as &Formatted Text"),
         &TfLexipulse::mnCopyFormattedClick, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F)});

  action(mnStressText, "mnStressText", QStringLiteral("&Stress Text"), &TfLexipulse::btnStressClick,
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
  action(mnStop, "mnStop", QStringLiteral("S&top"), &TfLexipulse::mnStopClick,
         {QKeySequence(Qt::Key_Escape)});
  mnStop->setEnabled(false);
  _OrderGroup = new QActionGroup(this);
  for (QAction** item : {&mnRulesFirst, &mnDictionaryFirst}) {
    const bool rules = item == &mnRulesFirst;
    *item = new QAction(rules ? QStringLiteral("&Rules first (as designed)")
                              : QStringLiteral("&Dictionary first (most accurate)"),
                        _OrderGroup);
    (*item)->setObjectName(rules ? QStringLiteral("mnRulesFirst")
                                 : QStringLiteral("mnDictionaryFirst"));
    (*item)->setCheckable(true);
  }
  mnRulesFirst->setChecked(true);
  connect(_OrderGroup, &QActionGroup::triggered, this, [this] {
    QSettings().setValue(QLatin1String(kOrderKey), mnDictionaryFirst->isChecked()
                                                       ? QLatin1String(kDictionaryFirst)
                                                       : QLatin1String(kRulesFirst));
  });

  _VariantGroup =
      createChoices({{&mnAmerican, "mnAmerican", QStringLiteral("&American (CMU)"), kAmerican},
                     {&mnBritish, "mnBritish", QStringLiteral("&British"), kBritish}},
                    kVariantKey);
  _StyleGroup =
      createChoices({{&mnClassic, "mnClassic", QStringLiteral("&Classic"), kClassic},
                     {&mnAccents, "mnAccents", QStringLiteral("&Accents"), kAccents},
                     {&mnHighlight, "mnHighlight", QStringLiteral("&Highlight"), kHighlight}},
                    kStyleKey);
  _SecondaryGroup =
      createChoices({{&mnSecondaryOff, "mnSecondaryOff", QStringLiteral("&Off"), kSecondaryOff},
                     {&mnSecondaryBefore, "mnSecondaryBefore",
                      QStringLiteral("&Before the Primary"), kSecondaryBeforePrimary},
                     {&mnSecondaryAll, "mnSecondaryAll", QStringLiteral("&All"), kSecondaryAll}},
                    kSecondaryKey);

  action(mnMarkUnknown, "mnMarkUnknown", QStringLiteral("Mark &Unknown Words"),
         &TfLexipulse::mnMarkUnknownClick, {});
  mnMarkUnknown->setCheckable(true);
  action(mnResetSettings, "mnResetSettings", QStringLiteral("&Reset Settings"),
         &TfLexipulse::mnResetSettingsClick, {});

  action(mnCopyright, "mnCopyright", QStringLiteral("&About this software..."),
         &TfLexipulse::mnCopyrightClick, {});
}

QActionGroup* TfLexipulse::createChoices(std::initializer_list<TChoice> choices, const char* key) {
  auto* group = new QActionGroup(this);
  for (const TChoice& choice : choices) {
    QAction* item = new QAction(choice.Text, group);
    item->setObjectName(QLatin1String(choice.Name));
    item->setCheckable(true);
    item->setData(QLatin1String(choice.Value));
    *choice.Item = item;
  }
  group->actions().front()->setChecked(true);
  connect(group, &QActionGroup::triggered, this,
          [key](QAction* item) { QSettings().setValue(QLatin1String(key), item->data()); });
  return group;
}

void TfLexipulse::createMenus() {
  MainMenu1 = menuBar();
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* file = MainMenu1->addMenu(QStringLiteral("&File"));
  file->addAction(mnOpen);
  mnRecent = file->addMenu(QStringLiteral("&Recent Files"));
  mnRecent->setObjectName(QStringLiteral("mnRecent"));
  connect(mnRecent, &QMenu::aboutToShow, this, &TfLexipulse::RebuildRecentMenu);
  file->addSeparator();
  file->addAction(mnSaveAs);
  file->addAction(mnExportHtml);
  file->addAction(mnExportPdf);
  file->addAction(mnPrint);
  file->addSeparator();
  file->addAction(mnQuit);

  QMenu* edit = MainMenu1->addMenu(QStringLiteral("&Edit"));
  edit->addAction(mnCopy);
  edit->addAction(mnCopyFormatted);

  QMenu* stressing = MainMenu1->addMenu(QStringLiteral("&Stressing"));
  stressing->addAction(mnStressText);
  stressing->addAction(mnStop);
  stressing->addSeparator();
  stressing->addActions(_OrderGroup->actions());
  stressing->addSeparator();
  stressing->addActions(_VariantGroup->actions());

  mnView = MainMenu1->addMenu(QStringLiteral("&View"));
  mnView->setObjectName(QStringLiteral("mnView"));
  mnView->addActions(_StyleGroup->actions());
  mnSecondary = mnView->addMenu(QStringLiteral("&Secondary Stress"));
  mnSecondary->setObjectName(QStringLiteral("mnSecondary"));
  mnSecondary->addActions(_SecondaryGroup->actions());
  mnView->addSeparator();
  mnView->addAction(mnMarkUnknown);
  mnView->addSeparator();
  mnView->addAction(mnResetSettings);

  QMenu* help = MainMenu1->addMenu(QStringLiteral("&Help"));
  help->addAction(mnCopyright);
  RebuildRecentMenu();
}

}  // namespace lexipulse
