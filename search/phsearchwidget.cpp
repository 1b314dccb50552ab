#include "phsearchwidget.h"

#include "nubmath.h"
#include "nubmsg.h"
#include "uxmsg.h"
#include "uxpath.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDoubleValidator>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {


// Layout of the contents of a group box: margin 11, spacing 5, 11 pixels
// below the title.
QVBoxLayout *groupLayout(QGroupBox *box) {
  auto *layout = new QVBoxLayout(box);
  layout->setContentsMargins(11, 11 + 11, 11, 11);
  layout->setSpacing(5);
  return layout;
}

QHBoxLayout *stripLayout(QGroupBox *box) {
  auto *layout = new QHBoxLayout(box);
  layout->setContentsMargins(11, 11, 11, 11);
  layout->setSpacing(5);
  return layout;
}

}  // namespace

PhSearchWidget::PhSearchWidget(QWidget *parent) : QWidget(parent) {
  Nub::debug("PhSearchWidget");
  setFocusPolicy(Qt::StrongFocus);
  mFieldWidth = QFontMetrics(font()).horizontalAdvance(QStringLiteral("10000000.99"));

  auto *outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto *scroll = new QScrollArea(this);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  outer->addWidget(scroll);
  auto *content = new QWidget(scroll);
  scroll->setWidget(content);
  auto *column = new QVBoxLayout(content);
  column->setContentsMargins(Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace(), Ux::stdSpace());
  column->setSpacing(Ux::stdSpace());

  const QString minTip = tr("Enter minimum value or -1 (IGNORE)");
  const QString maxTip = tr("Enter maximum value or -1 (IGNORE)");

  const struct {
    const char *title;
    const char *tip;
  } boxes[7] = {
      {QT_TR_NOOP("P&oint-ID"), QT_TR_NOOP("Select points with matching IDs")},
      {QT_TR_NOOP("I&mage-ID"), QT_TR_NOOP("Select images with matching IDs")},
      {QT_TR_NOOP("# &Links (Min./Max.)"),
       QT_TR_NOOP("Select points with number of links within a defined range")},
      {QT_TR_NOOP("&Residuals (Min./Max.)"),
       QT_TR_NOOP("Select points with residuals within a defined range")},
      {QT_TR_NOOP("&Sigmas (Min./Max.)"), QT_TR_NOOP("Select points with sigmas within a defined range")},
      {QT_TR_NOOP("&Blunder"), QT_TR_NOOP("Choose to select all eliminated points")},
      {QT_TR_NOOP("Poi&nt-Code"), QT_TR_NOOP("Choose the types of points to be selected")},
  };
  for (int i = 0; i < 7; ++i) {
    mGroupBoxes[i] = new QGroupBox(tr(boxes[i].title), content);
    mGroupBoxes[i]->setToolTip(tr(boxes[i].tip));
    mGroupBoxes[i]->setCheckable(true);
    mGroupBoxes[i]->setChecked(i == PhGlobal::SEARCH_PointId);
  }

  _buildIdGroup(mGroupBoxes[PhGlobal::SEARCH_PointId], mPointIdChoice, 0,
                tr("Select to choose a range of Point IDs"), tr("Select to choose Point IDs matching a pattern"),
                mPointIdMin, mPointIdMax, mPointIdPattern);
  _buildIdGroup(mGroupBoxes[PhGlobal::SEARCH_ImageId], mImageIdChoice, 2,
                tr("Select to choose a range of Image IDs"), tr("Select to choose Image IDs matching a pattern"),
                mImageIdMin, mImageIdMax, mImageIdPattern);

  auto rangeRow = [&](QGroupBox *box, QWidget *min, QWidget *max) {
    auto *row = new QHBoxLayout;
    row->addWidget(min);
    row->addSpacing(10);
    row->addWidget(max);
    row->addStretch();
    groupLayout(box)->addLayout(row);
  };
  QGroupBox *links = mGroupBoxes[PhGlobal::SEARCH_Links];
  mLinksMin = _spinBox(links, minTip);
  mLinksMax = _spinBox(links, maxTip);
  rangeRow(links, mLinksMin, mLinksMax);
  QGroupBox *residuals = mGroupBoxes[PhGlobal::SEARCH_Residuals];
  mResidualMin = _realEdit(residuals, minTip);
  mResidualMax = _realEdit(residuals, maxTip);
  rangeRow(residuals, mResidualMin, mResidualMax);
  QGroupBox *sigmas = mGroupBoxes[PhGlobal::SEARCH_Sigmas];
  mSigmaMin = _realEdit(sigmas, minTip);
  mSigmaMax = _realEdit(sigmas, maxTip);
  rangeRow(sigmas, mSigmaMin, mSigmaMax);

  QGroupBox *codes = mGroupBoxes[PhGlobal::SEARCH_PointCode];
  auto *codeLayout = new QVBoxLayout(codes);
  codeLayout->setContentsMargins(11, 11 + 11, 11, 11);
  codeLayout->setSpacing(5);
  for (int i = 0; i < PhGlobal::PT_LonelyImagePoint; ++i) {
    mPointCodeBoxes[i] = new QCheckBox(PhGlobal::pointTypeName(i, true), codes);
    codeLayout->addWidget(mPointCodeBoxes[i]);
  }

  QGroupBox *blunder = mGroupBoxes[PhGlobal::SEARCH_Blunder];
  stripLayout(blunder)->addWidget(new QLabel(QStringLiteral("Select all visible eliminated points"), blunder));

  auto *modeBox = new QGroupBox(tr("Selection Mode"), content);
  auto *modeLayout = new QVBoxLayout(modeBox);
  mSelectionMode = new QButtonGroup(modeBox);
  mSelectionMode->setExclusive(true);
  for (int mode : {PhGlobal::SEL_EraseExisting, PhGlobal::SEL_AddToExisting}) {
    auto *button = new QRadioButton(PhGlobal::selectionModeName(mode), modeBox);
    mSelectionMode->addButton(button, mode);
    modeLayout->addWidget(button);
  }
  mSelectionMode->button(PhGlobal::SEL_EraseExisting)->setChecked(true);

  // On screen the point codes stand above the blunders.
  for (int mode : {0, 1, 2, 3, 4, 6, 5}) column->addWidget(mGroupBoxes[mode]);
  column->addWidget(modeBox);
  auto *buttons = new QHBoxLayout;
  auto *deselect = new QPushButton(tr("&Deselect all"), content);
  auto *select = new QPushButton(tr("S&elect"), content);
  deselect->setObjectName(QStringLiteral("deselectAll"));
  select->setObjectName(QStringLiteral("select"));
  buttons->addWidget(deselect);
  buttons->addWidget(select);
  buttons->addStretch();
  column->addLayout(buttons);
  column->addStretch();

  connect(mPointIdChoice.get(), &QButtonGroup::idClicked, this, &PhSearchWidget::_slotSetGroupBoxWidgets);
  connect(mImageIdChoice.get(), &QButtonGroup::idClicked, this, &PhSearchWidget::_slotSetGroupBoxWidgets);
  for (int i = 0; i < 7; ++i)
    connect(mGroupBoxes[i], &QGroupBox::toggled, this, [this, i](bool) { _slotSelectGroup(i); });
  connect(deselect, &QPushButton::clicked, this, &PhSearchWidget::sigRequestDeselectAll);
  connect(select, &QPushButton::clicked, this, &PhSearchWidget::_slotSelect);
}

PhSearchWidget::~PhSearchWidget() { Nub::debug("~PhSearchWidget"); }

void PhSearchWidget::_buildIdGroup(QGroupBox *box, std::unique_ptr<QButtonGroup> &choice, int iFirstId,
                                       const QString &rangeTip, const QString &patternTip, QSpinBox *&min,
                                       QSpinBox *&max, QLineEdit *&pattern) {
  choice = std::make_unique<QButtonGroup>();
  QVBoxLayout *layout = groupLayout(box);
  auto *rangeButton = new QRadioButton(tr("Min. / Max.:"), box);
  rangeButton->setToolTip(rangeTip);
  min = _spinBox(box, tr("Enter minimum value or -1 (IGNORE)"));
  max = _spinBox(box, tr("Enter maximum value or -1 (IGNORE)"));
  auto *rangeRow = new QHBoxLayout;
  rangeRow->addWidget(rangeButton);
  rangeRow->addWidget(min);
  rangeRow->addSpacing(10);
  rangeRow->addWidget(max);
  rangeRow->addStretch();
  layout->addLayout(rangeRow);

  auto *patternButton = new QRadioButton(tr("Pattern:"), box);
  patternButton->setToolTip(patternTip);
  pattern = new QLineEdit(box);
  pattern->setToolTip(tr("Enter '?' or '*' as special characters"));
  pattern->setMaximumWidth(mFieldWidth);
  auto *patternRow = new QHBoxLayout;
  patternRow->addWidget(patternButton);
  patternRow->addWidget(pattern);
  patternRow->addStretch();
  layout->addLayout(patternRow);

  choice->addButton(rangeButton, iFirstId);
  choice->addButton(patternButton, iFirstId + 1);
  rangeButton->setChecked(true);
}

QSpinBox *PhSearchWidget::_spinBox(QWidget *parent, const QString &tip) {
  auto *spin = new QSpinBox(parent);
  spin->setRange(-1, Nub::Math::MAX_INT);
  spin->setSingleStep(1);
  spin->setValue(-1);
  spin->setSpecialValueText(tr("IGNORE"));
  spin->setToolTip(tip);
  spin->setMaximumWidth(mFieldWidth);
  return spin;
}

QLineEdit *PhSearchWidget::_realEdit(QWidget *parent, const QString &tip) {
  auto *edit = new QLineEdit(parent);
  auto *validator = new QDoubleValidator(edit);
  validator->setBottom(-1.0);
  validator->setLocale(QLocale::c());
  edit->setValidator(validator);
  edit->setToolTip(tip);
  edit->setMaximumWidth(mFieldWidth);
  return edit;
}

void PhSearchWidget::_slotSetGroupBoxWidgets(int iWID) {
  Nub::debug("_slotSetGroupBoxWidgets: %d", iWID);
  if (iWID < 0 || iWID > 3) return;
  const bool range = iWID == 0 || iWID == 2;
  QSpinBox *min = iWID < 2 ? mPointIdMin : mImageIdMin;
  QSpinBox *max = iWID < 2 ? mPointIdMax : mImageIdMax;
  QLineEdit *pattern = iWID < 2 ? mPointIdPattern : mImageIdPattern;
  min->setEnabled(range);
  max->setEnabled(range);
  pattern->setEnabled(!range);
}

void PhSearchWidget::_slotSelectGroup(int iGroup) {
  Nub::debug("_slotSelectGroup: %d", iGroup);
  if (iGroup < 0 || iGroup > 6) return;
  if (!mGroupBoxes[iGroup]->isChecked()) return;
  for (QGroupBox *box : mGroupBoxes) box->blockSignals(true);
  for (int i = 0; i < 7; ++i)
    if (i != iGroup) mGroupBoxes[i]->setChecked(false);
  mGroupBoxes[iGroup]->setFocus();
  for (QGroupBox *box : mGroupBoxes) box->blockSignals(false);
}

void PhSearchWidget::_slotSelect() {
  Nub::debug("PhSearchWidget::_slotSelect");
  int mode = -1;
  for (int i = 0; i < 7; ++i)
    if (mGroupBoxes[i]->isChecked()) mode = i;
  if (mode < 0) {
    Ux::warn(tr("No mode for searching points enabled!"));
    return;
  }
  const int selection = mSelectionMode->checkedId();
  if (selection < 0) {
    Ux::warn(tr("No mode for Selection!"));
    return;
  }
  QString strPar1 = QStringLiteral("");
  QString strPar2 = QStringLiteral("");
  bool bPatternMatching = false;
  if (!_collectParameters(PhGlobal::SearchModeE(mode), strPar1, strPar2, bPatternMatching)) {
    Ux::warn(tr("No valid parameters for search!"));
    return;
  }
  emit sigRequestSelection(PhGlobal::SelectionModeE(selection), PhGlobal::SearchModeE(mode), strPar1, strPar2,
                           bPatternMatching);
}

bool PhSearchWidget::_collectParameters(PhGlobal::SearchModeE mode, QString &strPar1, QString &strPar2,
                                        bool &bPatternMatching) {
  bPatternMatching = false;
  switch (mode) {
    case PhGlobal::SEARCH_PointId:
      return _collectIdParameters(mPointIdChoice.get(), 1, mPointIdMin, mPointIdMax, mPointIdPattern, strPar1,
                                  strPar2, bPatternMatching);
    case PhGlobal::SEARCH_ImageId:
      return _collectIdParameters(mImageIdChoice.get(), 3, mImageIdMin, mImageIdMax, mImageIdPattern, strPar1,
                                  strPar2, bPatternMatching);
    case PhGlobal::SEARCH_Links: return _collectIntRange(mLinksMin, mLinksMax, strPar1, strPar2);
    case PhGlobal::SEARCH_Residuals: return _collectRealRange(mResidualMin, mResidualMax, strPar1, strPar2);
    case PhGlobal::SEARCH_Sigmas: return _collectRealRange(mSigmaMin, mSigmaMax, strPar1, strPar2);
    case PhGlobal::SEARCH_Blunder: return true;
    case PhGlobal::SEARCH_PointCode: return _collectPointCodes(strPar1, strPar2);
  }
  return false;
}

bool PhSearchWidget::_collectIdParameters(QButtonGroup *choice, int iPatternId, QSpinBox *min, QSpinBox *max,
                                          QLineEdit *pattern, QString &strPar1, QString &strPar2,
                                          bool &bPatternMatching) {
  bPatternMatching = choice->checkedId() == iPatternId;
  if (!bPatternMatching) return _collectIntRange(min, max, strPar1, strPar2);
  strPar1 = pattern->text();
  strPar2 = QString();
  for (const QChar c : strPar1) {
    if (c == QLatin1Char('?') || c == QLatin1Char('*') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
      continue;
    pattern->setFocus();
    // The character goes in as text: a byte of its own could break the message's encoding.
    Ux::warn(tr("Illegal character '%c' in Pattern!").replace(QStringLiteral("%c"), QString(c)));
    return false;
  }
  return true;
}

bool PhSearchWidget::_collectIntRange(QSpinBox *min, QSpinBox *max, QString &strPar1, QString &strPar2) {
  const int iMin = min->value();
  const int iMax = max->value();
  if (iMin < 0 && iMax < 0) {
    min->setFocus();
    return Ux::warn(tr("No parameters selected!"));
  }
  if (iMin < 0) {
    strPar1 = QString();
    strPar2 = QString::number(iMax);
    return true;
  }
  if (iMax < 0) {
    strPar1 = QString::number(iMin);
    strPar2 = QString();
    return true;
  }
  if (iMin > iMax) {
    min->setFocus();
    return Ux::warn(tr("Minimum (%1) > Maximum (%2)!").arg(QString::number(iMin), QString::number(iMax)));
  }
  strPar1 = QString::number(iMin);
  strPar2 = QString::number(iMax);
  return true;
}

bool PhSearchWidget::_collectRealRange(QLineEdit *min, QLineEdit *max, QString &strPar1, QString &strPar2) {
  strPar1 = min->text();
  strPar2 = max->text();
  if (strPar1.isEmpty() && strPar2.isEmpty()) {
    min->setFocus();
    return Ux::warn(tr("No parameters selected!"));
  }
  // Unchecked on purpose: an empty or incomplete field counts as 0.0.
  const float fMin = strPar1.toFloat();
  const float fMax = strPar2.toFloat();
  if (fMin < 0.0f && fMax < 0.0f) {
    min->setFocus();
    return Ux::warn(tr("No parameters selected!"));
  }
  if (fMin < 0.0f) {
    strPar1 = QString();
    return true;
  }
  if (fMax < 0.0f) {
    strPar2 = QString();
    return true;
  }
  if (fMin > fMax) {
    min->setFocus();
    return Ux::warn(tr("Minimum (%1) > Maximum (%2)!")
                        .arg(QString::number(double(fMin), 'f', 2), QString::number(double(fMax), 'f', 2)));
  }
  return true;
}

bool PhSearchWidget::_collectPointCodes(QString &strPar1, QString &strPar2) {
  strPar1 = QString(7, QLatin1Char('0'));
  for (int i = 0; i < 7; ++i)
    if (mPointCodeBoxes[i] && mPointCodeBoxes[i]->isChecked()) strPar1[i] = QLatin1Char('1');
  strPar2 = QString();
  if (!strPar1.contains(QLatin1Char('1')))
    return Ux::warn(tr("No point-code activated!"));
  return true;
}
