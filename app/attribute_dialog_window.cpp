// The attribute dialogs' window.
#include "attribute_dialog_window.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "element_look_controls.h"
#include "qt_user_interface.h"
#include "tools/edit/attribute_dialog.h"
#include "tools/edit/attribute_preview.h"

namespace plenwick {

namespace {

std::string_view UnitOf(FieldKind kind) {
  switch (kind) {
    case FieldKind::kAngle: return "（度）";
    case FieldKind::kText:
    case FieldKind::kTolerance: return "";
    default: return "（mm）";
  }
}

}  // namespace

AttributeDialogWindow::AttributeDialogWindow(AttributeDialogModel& model, UserInterface& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui) {
  setWindowTitle(FromUtf8(model_.caption()));
  auto* layout = new QVBoxLayout(this);

  for (int g = 0; g < static_cast<int>(model_.choices().size()); ++g) {
    const AttributeChoice& choice = model_.choices()[static_cast<std::size_t>(g)];
    auto* box = new QGroupBox(FromUtf8(choice.caption), this);
    auto* row = new QHBoxLayout(box);
    if (choice.combo) {
      auto* combo = new QComboBox(box);
      combo->setObjectName(QString("choice%1").arg(g));
      for (std::string_view label : choice.labels) combo->addItem(FromUtf8(label));
      combo->setCurrentIndex(model_.choice(g));
      connect(combo, &QComboBox::activated, this, [this, g](int index) { Choose(g, index); });
      row->addWidget(combo);
    } else {
      auto* group = new QButtonGroup(box);
      for (int i = 0; i < static_cast<int>(choice.labels.size()); ++i) {
        auto* radio = new QRadioButton(FromUtf8(choice.labels[static_cast<std::size_t>(i)]), box);
        radio->setObjectName(QString("choice%1_%2").arg(g).arg(i));
        radio->setChecked(i == model_.choice(g));
        group->addButton(radio, i);
        row->addWidget(radio);
      }
      connect(group, &QButtonGroup::idClicked, this, [this, g](int index) { Choose(g, index); });
    }
    choiceBoxes_.push_back(box);
    layout->addWidget(box);
  }

  auto* fields = new QGridLayout;
  for (int i = 0; i < model_.fieldCount(); ++i) {
    const AttributeField& field = model_.field(i);
    fields->addWidget(new QLabel(FromUtf8(field.name) + FromUtf8(UnitOf(field.kind)), this), i, 0);
    auto* edit = new QLineEdit(FromUtf8(model_.initialText(i)), this);
    edit->setObjectName(QString("field%1").arg(i));
    edit->setMaxLength(static_cast<int>(field.maxChars));
    fields->addWidget(edit, i, 1);
    edits_.push_back(edit);
    if (const std::string_view browse = model_.BrowseCaption(i); !browse.empty()) {
      auto* button = new QPushButton(FromUtf8(browse), this);
      button->setObjectName(QString("browse%1").arg(i));
      connect(button, &QPushButton::clicked, this, [this, i, edit] {
        if (const std::optional<std::string> text = model_.Browse(i)) {
          edit->setText(QString::fromStdString(*text));
          ShowFacts();
        }
      });
      fields->addWidget(button, i, 2);
    }
  }
  int row = model_.fieldCount();
  for (const auto& [label, value] : model_.Facts()) {
    fields->addWidget(new QLabel(FromUtf8(label), this), row, 0);
    auto* shown = new QLabel(FromUtf8(value), this);
    shown->setObjectName(QString("fact%1").arg(facts_.size()));
    facts_.push_back(shown);
    fields->addWidget(shown, row++, 1);
  }
  auto* lineType = new LineTypeCombo(model_.look(), this);
  auto* pen = new PenCombo(model_.look(), this);
  colour_ = new ColourButton(model_.look(), this);
  if (model_.ShowsLineType()) {
    fields->addWidget(new QLabel(FromUtf8(kAttributeLineTypeLabel), this), row, 0);
    fields->addWidget(lineType, row, 1);
  } else {
    lineType->hide();
  }
  fields->addWidget(new QLabel(FromUtf8(kAttributePenLabel), this), row + 1, 0);
  auto* penRow = new QHBoxLayout;
  penRow->addWidget(pen, 1);
  if (model_.colourCaption().empty()) {
    penRow->addWidget(colour_);
  } else {
    auto* colourBox = new QGroupBox(FromUtf8(model_.colourCaption()), this);
    (new QHBoxLayout(colourBox))->addWidget(colour_);
    penRow->addWidget(colourBox);
  }
  fields->addLayout(penRow, row + 1, 1);

  auto* body = new QHBoxLayout;
  body->addLayout(fields);
  preview_ = new PreviewBox(
      [this](Canvas& canvas, int width, int height) {
        if (const std::optional<AttributeRecord> g = model_.Peek(Texts())) {
          DrawAttributePreview(canvas, model_.record(), *g, model_.look(), width, height);
        }
      },
      this);
  body->addWidget(preview_, 1);
  layout->addLayout(body);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(FromUtf8(kAttributeOk), QDialogButtonBox::AcceptRole);
  ok->setObjectName("ok");
  ok->setDefault(true);
  buttons->addButton(FromUtf8(kAttributeCancel), QDialogButtonBox::RejectRole)->setObjectName("cancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &AttributeDialogWindow::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &AttributeDialogWindow::reject);
  layout->addWidget(buttons);

  connect(lineType, &LineTypeCombo::lookChanged, preview_, &PreviewBox::Refresh);
  connect(pen, &PenCombo::lookChanged, this, [this] {
    colour_->ShowColour();
    preview_->Refresh();
  });
  connect(colour_, &ColourButton::lookChanged, preview_, &PreviewBox::Refresh);
  for (QLineEdit* e : edits_) connect(e, &QLineEdit::textChanged, preview_, &PreviewBox::Refresh);
  ShowEnabling();
}

std::vector<std::string> AttributeDialogWindow::Texts() const {
  std::vector<std::string> texts;
  for (const QLineEdit* e : edits_) texts.push_back(e->text().toStdString());
  return texts;
}

void AttributeDialogWindow::ShowFacts() {
  const std::vector<std::pair<std::string, std::string>> facts = model_.Facts();
  for (std::size_t i = 0; i < facts.size() && i < facts_.size(); ++i) facts_[i]->setText(FromUtf8(facts[i].second));
}

void AttributeDialogWindow::Choose(int group, int index) {
  const int previous = model_.choice(group);
  model_.SetChoice(group, index);
  std::vector<std::string> texts = Texts();
  model_.RewriteTexts(group, previous, texts);
  for (std::size_t i = 0; i < edits_.size() && i < texts.size(); ++i) {
    const QString text = QString::fromStdString(texts[i]);
    if (edits_[i]->text() != text) edits_[i]->setText(text);
  }
  ShowEnabling();
}

void AttributeDialogWindow::ShowEnabling() {
  for (std::size_t g = 0; g < choiceBoxes_.size(); ++g) choiceBoxes_[g]->setEnabled(model_.ChoiceEnabled(static_cast<int>(g)));
  QLineEdit* first = nullptr;
  for (int i = 0; i < static_cast<int>(edits_.size()); ++i) {
    QLineEdit* edit = edits_[static_cast<std::size_t>(i)];
    edit->setEnabled(model_.FieldEnabled(i));
    if (!first && edit->isEnabled()) first = edit;
  }
  if (first) first->setFocus();
  preview_->Refresh();
}

void AttributeDialogWindow::accept() {
  if (!model_.OnExecute(Texts(), ui_)) {
    const auto i = static_cast<std::size_t>(model_.focusField());
    if (i < edits_.size()) {
      edits_[i]->setFocus();
      edits_[i]->selectAll();
    }
    return;
  }
  QDialog::accept();
}

}  // namespace plenwick
