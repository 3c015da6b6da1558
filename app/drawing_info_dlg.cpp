// The drawing-information dialog's fields, checks and the password question.
#include "drawing_info_dlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/drawing_header.h"
#include "model/plenwick_doc.h"
#include "model/user_interface.h"
#include "password_dlg.h"
#include "sjis_field.h"
#include "view/paper.h"

namespace plenwick {

namespace {

// Paper size indexes 0..9.
const char* const kPaperNames[kPaperSizeCount] = {"Ａ０", "Ａ１", "Ａ２", "Ａ３", "Ａ４", "Ａ５", "Ａ６", "Ｂ４", "Ｂ５", "Ｂ６"};

constexpr int kMinYear = 1900, kMaxYear = 2100;

QString Tr(const char* utf8) { return QString::fromUtf8(utf8); }

QButtonGroup* AddChoices(QWidget* owner, QLayout* layout, const char* name, std::initializer_list<const char*> labels, int chosen) {
  auto* group = new QButtonGroup(owner);
  int id = 0;
  for (const char* label : labels) {
    auto* button = new QRadioButton(Tr(label), owner);
    button->setObjectName(QString("%1%2").arg(name).arg(id));
    group->addButton(button, id);
    layout->addWidget(button);
    ++id;
  }
  if (QAbstractButton* b = group->button(chosen)) b->setChecked(true);
  return group;
}

}  // namespace

QString CDrawingInfoDlg::RangeMessage(int low, int high) {
  return Tr("%1 から %2 までの整数を入力してください。").arg(low).arg(high);
}

QLineEdit* CDrawingInfoDlg::AddText(const char* name, const std::string& sjis, std::size_t maxBytes) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(name);
  LimitToSjisBytes(edit, maxBytes);
  edit->setText(TextOfSjis(sjis));
  return edit;
}

CDrawingInfoDlg::DateEdits CDrawingInfoDlg::AddDate(const char* name, const CalendarDate& date) {
  DateEdits edits{new QLineEdit(this), new QLineEdit(this), new QLineEdit(this)};
  edits.year->setObjectName(QString(name) + "Year");
  edits.month->setObjectName(QString(name) + "Month");
  edits.day->setObjectName(QString(name) + "Day");
  edits.year->setText(QString::asprintf("%04d", date.year));
  edits.month->setText(QString::asprintf("%02d", date.month));
  edits.day->setText(QString::asprintf("%02d", date.day));
  for (QLineEdit* e : {edits.year, edits.month, edits.day}) e->setMaxLength(4);
  edits.year->setFixedWidth(fontMetrics().horizontalAdvance("00000") + 8);
  edits.month->setFixedWidth(fontMetrics().horizontalAdvance("000") + 8);
  edits.day->setFixedWidth(fontMetrics().horizontalAdvance("000") + 8);
  return edits;
}

CDrawingInfoDlg::CDrawingInfoDlg(Mode mode, const DrawingInfo& values, UserInterface& ui, QWidget* parent,
                                 int32_t currentProtection, std::string storedPassword)
    : QDialog(parent),
      mode_(mode),
      ui_(ui),
      result_(values),
      currentProtection_(currentProtection),
      storedPassword_(std::move(storedPassword)),
      shownProtection_(values.protection) {
  setWindowTitle(Tr("図面情報"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  layout->addLayout(form);

  fileName_ = AddText("fileName", values.fileName, 60);
  drawingName_ = AddText("drawingName", values.drawingName, DrawingHeader::kDrawingNameWidth - 1);
  author_ = AddText("author", values.author, DrawingHeader::kAuthorWidth - 1);
  updater_ = AddText("updater", values.updater, DrawingHeader::kUpdaterWidth - 1);
  password_ = AddText("password", values.password, DrawingHeader::kPasswordWidth - 1);
  password_->setEchoMode(QLineEdit::Password);
  creation_ = AddDate("creation", values.creationDate);
  update_ = AddDate("update", values.updateDate);
  form->addRow(Tr("ファイル名"), fileName_);
  form->addRow(Tr("図面名"), drawingName_);
  form->addRow(Tr("作成者"), author_);
  form->addRow(Tr("更新者"), updater_);
  form->addRow(Tr("パスワード（８文字以内）"), password_);
  for (auto [label, edits] : {std::pair{"作成日", creation_}, std::pair{"更新日", update_}}) {
    auto* row = new QHBoxLayout;
    row->addWidget(edits.year);
    row->addWidget(new QLabel(Tr("年"), this));
    row->addWidget(edits.month);
    row->addWidget(new QLabel(Tr("月"), this));
    row->addWidget(edits.day);
    row->addWidget(new QLabel(Tr("日"), this));
    row->addStretch();
    form->addRow(Tr(label), row);
  }
  auto* scaleRow = new QHBoxLayout;
  scale_ = new QLineEdit(QString::number(values.scale), this);
  scale_->setObjectName("scale");
  scale_->setMaxLength(6);
  scaleRow->addWidget(new QLabel(Tr("１／"), this));
  scaleRow->addWidget(scale_);
  scaleRow->addStretch();
  form->addRow(Tr("図面縮尺"), scaleRow);

  auto* paperBox = new QGroupBox(Tr(" 用紙 "), this);
  auto* paperLayout = new QHBoxLayout(paperBox);
  paperMode_ = AddChoices(this, paperLayout, "paperMode", {"用紙サイズを指定", "現在のプリンターサイズ"}, values.paperMode == 1 ? 1 : 0);
  paperSize_ = new QComboBox(this);
  paperSize_->setObjectName("paperSize");
  for (const char* name : kPaperNames) paperSize_->addItem(Tr(name));
  paperSize_->setCurrentIndex(values.paperSize >= 0 && values.paperSize < kPaperSizeCount ? values.paperSize : 4);
  paperLayout->addWidget(paperSize_);
  paperSize_->setEnabled(paperMode_->checkedId() == 0);
  connect(paperMode_, &QButtonGroup::idClicked, this, [this](int id) { paperSize_->setEnabled(id == 0); });
  layout->addWidget(paperBox);

  auto* orientationBox = new QGroupBox(Tr(" 用紙の向き "), this);
  orientation_ = AddChoices(this, new QHBoxLayout(orientationBox), "orientation", {"横", "縦"}, values.orientation == 1 ? 1 : 0);
  layout->addWidget(orientationBox);
  auto* printBox = new QGroupBox(Tr(" 印刷方法 "), this);
  printType_ = AddChoices(this, new QHBoxLayout(printBox), "printType", {"実寸印刷", "ハードコピー"}, values.printType == 1 ? 1 : 0);
  layout->addWidget(printBox);
  auto* protectionBox = new QGroupBox(Tr(" 図面の保護 "), this);
  protection_ = AddChoices(this, new QVBoxLayout(protectionBox), "protection",
                           {"図面の保護をしない", "書き込み禁止にする", "パスワードで保護する"},
                           values.protection >= 0 && values.protection <= 2 ? values.protection : 0);
  shownProtection_ = protection_->checkedId();
  connect(protection_, &QButtonGroup::idClicked, this, &CDrawingInfoDlg::ProtectionChosen);
  layout->addWidget(protectionBox);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(Tr("実　行"), QDialogButtonBox::AcceptRole);
  ok->setObjectName("ok");
  ok->setDefault(true);
  buttons->addButton(Tr("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole)->setObjectName("cancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &CDrawingInfoDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CDrawingInfoDlg::reject);
  layout->addWidget(buttons);

  if (mode_ == Mode::kExistingDrawing) {
    for (QLineEdit* e : {fileName_, author_, creation_.year, creation_.month, creation_.day}) e->setEnabled(false);
    if (currentProtection_ == kPasswordProtected) password_->setEnabled(false);
  }
  drawingName_->setFocus();
}

void CDrawingInfoDlg::ProtectionChosen(int choice) {
  // A password protection goes only with the password, whichever choice replaces it.
  const bool leavesPassword = mode_ == Mode::kExistingDrawing && currentProtection_ == kPasswordProtected &&
                              choice != kPasswordProtected && !passwordConfirmed_;
  if (leavesPassword) {
    CPasswordDlg ask(storedPassword_, ui_, this);
    if (ask.exec() != QDialog::Accepted) {
      if (QAbstractButton* b = protection_->button(shownProtection_)) b->setChecked(true);
      return;
    }
    passwordConfirmed_ = true;
  }
  shownProtection_ = choice;
}

bool CDrawingInfoDlg::ReadInteger(QLineEdit* edit, int low, int high, int& out) {
  bool ok = false;
  const int value = edit->text().trimmed().toInt(&ok);
  if (!ok || value < low || value > high) {
    ui_.ShowMessage(RangeMessage(low, high).toStdString());
    edit->setFocus();
    edit->selectAll();
    return false;
  }
  out = value;
  return true;
}

bool CDrawingInfoDlg::ReadDate(const DateEdits& edits, CalendarDate& out) {
  if (!edits.year->isEnabled()) return true;  // a fixed date stays as it is
  CalendarDate date;
  if (!ReadInteger(edits.year, kMinYear, kMaxYear, date.year) || !ReadInteger(edits.month, 1, 12, date.month) ||
      !ReadInteger(edits.day, 1, 31, date.day)) {
    return false;
  }
  out = date;
  return true;
}

void CDrawingInfoDlg::accept() {
  DrawingInfo info = result_;
  if (!ReadDate(creation_, info.creationDate) || !ReadDate(update_, info.updateDate)) return;
  int scale = 0;
  if (!ReadInteger(scale_, kMinDrawingScale, kMaxDrawingScale, scale)) return;
  info.scale = scale;
  info.fileName = SjisOf(fileName_->text());
  info.drawingName = SjisOf(drawingName_->text());
  info.author = SjisOf(author_->text());
  info.updater = SjisOf(updater_->text());
  info.password = SjisOf(password_->text());
  info.paperSize = static_cast<int16_t>(paperSize_->currentIndex());
  info.paperMode = static_cast<int16_t>(paperMode_->checkedId());
  info.orientation = static_cast<int16_t>(orientation_->checkedId());
  info.printType = static_cast<int16_t>(printType_->checkedId());
  info.protection = protection_->checkedId();
  result_ = info;
  QDialog::accept();
}

}  // namespace plenwick
