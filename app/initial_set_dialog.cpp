// The initial-value settings dialog's window and its pages' widgets.
#include "initial_set_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "dialog_buttons.h"
#include "element_look_controls.h"
#include "qt_user_interface.h"
#include "tools/settings/initial_set_dlg.h"

namespace plenwick {

namespace {

constexpr int kColourPage = 6;
constexpr int kGridLineTypes = 5;
// Where the colour page puts display colour n (row, column): the labels' order, two columns.
constexpr int kColourCells[8][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}, {3, 1}, {3, 0}};

QLabel* NamedLabel(const std::string& text, const QString& name, QWidget* parent) {
  auto* label = new QLabel(FromUtf8(text), parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

InitialSetDialog::InitialSetDialog(CInitialSetDlg& model, UserInterface& ui, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui) {
  setWindowTitle(FromUtf8(CInitialSetDlg::kCaption));
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("tabs");
  for (const std::string_view title : kInitPageTitles) tabs_->addTab(new QWidget(tabs_), FromUtf8(title));
  layout->addWidget(tabs_);
  QDialogButtonBox* buttons = AddDialogButtons(*this, *layout, CInitialSetDlg::kOkText, CInitialSetDlg::kCancelText);
  QPushButton* factory = buttons->addButton(FromUtf8(CInitialSetDlg::kFactoryText), QDialogButtonBox::ResetRole);
  factory->setObjectName("factory");
  connect(factory, &QPushButton::clicked, this, [this] {
    model_.OnFactorySettings();
    BuildPage();
  });
  tabs_->setCurrentIndex(model_.tab());
  connect(tabs_, &QTabWidget::currentChanged, this, &InitialSetDialog::TabChosen);
  BuildPage();
}

void InitialSetDialog::TabChosen(int tab) {
  if (!model_.SelectTab(tab, ui_)) {
    const QSignalBlocker quiet(tabs_);
    tabs_->setCurrentIndex(model_.tab());
    // Once the tab widget has finished switching pages, which moves the focus itself.
    QTimer::singleShot(0, this, [this] { FocusControl(model_.focusControl()); });
    return;
  }
  BuildPage();
}

void InitialSetDialog::BuildPage() {
  // Only the current page has widgets: the others' values live in the model's copy.
  for (int i = 0; i < tabs_->count(); ++i) {
    QWidget* area = tabs_->widget(i);
    qDeleteAll(area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    delete area->layout();
  }
  {
    const QSignalBlocker quiet(tabs_);
    tabs_->setCurrentIndex(model_.tab());
  }
  QWidget* area = tabs_->currentWidget();
  auto* grid = new QGridLayout(area);
  CInitPageDlg& page = model_.page();
  widgets_.assign(page.controls().size(), {});
  int row = 0;
  for (std::size_t i = 0; i < page.controls().size(); ++i) {
    const InitControl& c = page.controls()[i];
    const int index = static_cast<int>(i);
    const QString name = QString::fromStdString(c.name);
    std::vector<QWidget*>& w = widgets_[i];
    switch (c.kind) {
      case InitControlKind::kLabel: grid->addWidget(new QLabel(FromUtf8(c.caption), area), row++, 0, 1, 4); break;
      case InitControlKind::kNumber:
      case InitControlKind::kText: {
        auto* edit = new QLineEdit(FromUtf8(c.text), area);
        edit->setObjectName(name);
        connect(edit, &QLineEdit::textEdited, this,
                [this, index](const QString& text) { model_.SetText(index, text.toStdString()); });
        w = {edit, NamedLabel(c.caption, name + "Label", area), NamedLabel(c.prefix, name + "Prefix", area),
             NamedLabel(c.unitSuffix ? std::string(model_.unitText()) : c.suffix, name + "Unit", area)};
        grid->addWidget(w[1], row, 0);
        grid->addWidget(w[2], row, 1);
        grid->addWidget(edit, row, 2);
        grid->addWidget(w[3], row++, 3);
        break;
      }
      case InitControlKind::kRadios: {
        auto* box = new QGroupBox(FromUtf8(c.caption), area);
        auto* boxLayout = new QVBoxLayout(box);
        auto* group = new QButtonGroup(box);
        w.push_back(box);
        for (std::size_t k = 0; k < c.items.size(); ++k) {
          auto* radio = new QRadioButton(FromUtf8(c.items[k]), box);
          radio->setObjectName(name + QString::number(k + 1));
          radio->setChecked(c.choice == static_cast<int>(k));
          group->addButton(radio, static_cast<int>(k));
          boxLayout->addWidget(radio);
        }
        connect(group, &QButtonGroup::idClicked, this, [this, index](int k) {
          model_.Choose(index, k);
          ShowEnabled();
        });
        grid->addWidget(box, row++, 0, 1, 4);
        break;
      }
      case InitControlKind::kCombo:
      case InitControlKind::kLineTypes:
      case InitControlKind::kFonts: {
        auto* combo = new QComboBox(area);
        combo->setObjectName(name);
        if (c.kind == InitControlKind::kLineTypes) {
          combo->setIconSize(LineTypeSample(0).size());
          for (int type = 0; type < kGridLineTypes; ++type) combo->addItem(QIcon(LineTypeSample(type)), QString());
        } else {
          for (const std::string& item : c.items) combo->addItem(FromUtf8(item));
        }
        combo->setCurrentIndex(c.choice);
        connect(combo, &QComboBox::activated, this, [this, index](int k) { model_.Choose(index, k); });
        w = {combo, NamedLabel(c.caption, name + "Label", area)};
        grid->addWidget(w[1], row, 0);
        grid->addWidget(combo, row++, 2, 1, 2);
        break;
      }
      case InitControlKind::kColour: {
        auto* button = new QPushButton(area);
        button->setObjectName(name);
        button->setIconSize(QSize(40, 14));
        button->setIcon(QIcon(Swatch(c.colour, 40, 14)));
        connect(button, &QPushButton::clicked, this, [this, index, button] {
          const int32_t before = model_.page().controls()[static_cast<std::size_t>(index)].colour;
          const std::optional<int32_t> chosen = ChooseColour(before, this);
          if (!chosen) return;
          model_.SetColour(index, *chosen);
          button->setIcon(QIcon(Swatch(model_.page().controls()[static_cast<std::size_t>(index)].colour, 40, 14)));
        });
        w.push_back(button);
        if (model_.tab() == kColourPage) {
          // Button n is display colour n; the labels are laid out in two columns.
          const std::size_t n = static_cast<std::size_t>(c.offset - ParameterBlock::kDisplayColours) / 4;
          auto* box = new QGroupBox(FromUtf8(c.caption), area);
          (new QVBoxLayout(box))->addWidget(button);
          grid->addWidget(box, kColourCells[n][0], kColourCells[n][1]);
        } else {
          grid->addWidget(button, row - 1, 4);  // beside the pen's width
        }
        break;
      }
      case InitControlKind::kBrowse: {
        auto* button = new QPushButton(FromUtf8(c.caption), area);
        button->setObjectName(name);
        const int target = index - 1;  // the folder edit before it
        connect(button, &QPushButton::clicked, this, [this, target] {
          auto* edit = static_cast<QLineEdit*>(widgets_[static_cast<std::size_t>(target)][0]);
          const QString folder = QFileDialog::getExistingDirectory(
              this, QString::fromUtf8("フォルダーを選択してください"), edit->text(),
              QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
          if (folder.isEmpty()) return;
          edit->setText(folder);
          model_.SetText(target, folder.toStdString());
        });
        w.push_back(button);
        grid->addWidget(button, row++, 3);
        break;
      }
    }
  }
  grid->setRowStretch(row + (model_.tab() == kColourPage ? 4 : 0), 1);
  ShowEnabled();
  // The focus went with the old page's widgets: into the new page's first edit.
  for (const std::vector<QWidget*>& w : widgets_) {
    if (!w.empty() && qobject_cast<QLineEdit*>(w[0]) && w[0]->isEnabled()) {
      w[0]->setFocus();
      break;
    }
  }
}

void InitialSetDialog::ShowEnabled() {
  const CInitPageDlg& page = model_.page();
  for (std::size_t i = 0; i < widgets_.size(); ++i) {
    const bool on = page.IsEnabled(page.controls()[i]);
    for (QWidget* w : widgets_[i]) w->setEnabled(on);
  }
}

void InitialSetDialog::FocusControl(int control) {
  if (control < 0 || control >= static_cast<int>(widgets_.size()) || widgets_[static_cast<std::size_t>(control)].empty()) return;
  QWidget* w = widgets_[static_cast<std::size_t>(control)][0];
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    FocusAtFault(*edit);
  } else {
    w->setFocus();
  }
}

void InitialSetDialog::accept() {
  if (!model_.OnOk(ui_)) {
    FocusControl(model_.focusControl());
    return;
  }
  QDialog::accept();
}

}  // namespace plenwick
