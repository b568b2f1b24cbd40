#include "platform/qt/template_dialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QValidator>
#include <algorithm>
#include <vector>

#include "platform/interface/app_resources.h"
#include "platform/interface/resources.h"
#include "platform/language/translation.h"
#include "platform/qt/qt_resources.h"
#include "platform/window_system/x11_window_hints.h"

namespace {

// Refuses text beyond a number of characters as the player sees them (code
// points): an emoji counts once, not twice as UTF-16 would.  What was just
// typed or pasted ends at the cursor, so the excess is cut there: a full
// field takes no more characters wherever the cursor is, a long paste keeps
// only what fits, and the text already there stays whole.
class CharacterLimit : public QValidator {
 public:
  CharacterLimit(int limit, QObject* parent) : QValidator(parent), m_limit(limit) {}
  State validate(QString& input, int& pos) const override {
    const QList<uint> codePoints = input.toUcs4();
    const qsizetype excess = codePoints.size() - m_limit;
    if (excess <= 0) return Acceptable;
    const int utf16Cursor = std::clamp(pos, 0, static_cast<int>(input.size()));
    const qsizetype cursor = input.left(utf16Cursor).toUcs4().size();
    // Nothing new before the cursor to take back: cut at the end instead.
    const qsizetype cutAt = cursor >= excess ? cursor - excess : codePoints.size() - excess;
    const QList<uint> kept = codePoints.mid(0, cutAt) + codePoints.mid(cutAt + excess);
    input = QString::fromUcs4(reinterpret_cast<const char32_t*>(kept.constData()), kept.size());
    const qsizetype newCursor = cursor >= excess ? cutAt : std::min(cursor, kept.size());
    pos = static_cast<int>(
        QString::fromUcs4(reinterpret_cast<const char32_t*>(kept.constData()), newCursor).size());
    return Acceptable;
  }

 private:
  int m_limit;
};

// Dialog units: a quarter of the font's average character width across, an
// eighth of its height down.
struct DialogUnits {
  double x;
  double y;
};

// The template's font: its face where the machine has it, else a sans of
// the same metrics (the classic dialog faces are Arial-metric), at the
// template's point size.
QFont TemplateFont(const DialogTemplate& tmpl) {
  const QString face = QString::fromStdString(tmpl.fontFace).trimmed().toLower();
  const bool classicDialogFace = face.isEmpty() || face == QLatin1String("ms sans serif") ||
                                 face == QLatin1String("ms shell dlg") ||
                                 face == QLatin1String("ms shell dlg 2") ||
                                 face == QLatin1String("microsoft sans serif");
  QFont font(classicDialogFace ? QStringLiteral("Liberation Sans")
                               : QString::fromStdString(tmpl.fontFace));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(tmpl.pointSize > 0 ? tmpl.pointSize : 8);
  return font;
}

// The size a control's text needs: a wrapped text's lines at the control's
// width, one line's width, a button's label with the room the style leaves
// around it (without the least width the style gives every button).
QSize TextSize(QWidget* control) {
  const QFontMetrics fm(control->font());
  if (auto* label = qobject_cast<QLabel*>(control)) {
    if (!label->pixmap().isNull() || label->text().isEmpty()) return {};
    if (label->wordWrap()) return {0, label->heightForWidth(label->width())};
    return {fm.horizontalAdvance(label->text()) + 1, fm.height()};
  }
  if (auto* button = qobject_cast<QPushButton*>(control)) {
    const QStyle* style = button->style();
    const int room = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                     2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    return {fm.size(Qt::TextShowMnemonic, button->text()).width() + room, 0};
  }
  return {};
}

// A text that does not fit its control in our font is never cut: the
// control grows to the text (a wrapped one downward, a line or a button
// rightward), and the controls below it, or beside it on the right, move on
// by as much, so that no two meet; the dialog grows to hold every control
// with the margin the template leaves on the right and at the bottom.
void FitTexts(QWidget* dialog, QSize size, int margin) {
  const QList<QWidget*> controls = dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QWidget* control : controls) {
    const QRect was = control->geometry();
    const QRect now(was.topLeft(), was.size().expandedTo(TextSize(control)));
    if (now == was) continue;
    control->setGeometry(now);
    for (QWidget* other : controls) {
      QRect g = other->geometry();
      if (g.top() > was.bottom())
        g.translate(0, now.bottom() - was.bottom());
      else if (g.left() > was.right() && g.top() <= was.bottom() && g.bottom() >= was.top())
        g.translate(now.right() - was.right(), 0);
      other->setGeometry(g);
    }
  }
  for (QWidget* child : controls) {
    size.setWidth(std::max(size.width(), child->geometry().right() + 1 + margin));
    size.setHeight(std::max(size.height(), child->geometry().bottom() + 1 + margin));
  }
  dialog->setFixedSize(size);
}

// An edit field is labelled, for a screen reader, by the static text that
// ends nearest above it and overlaps it across: the name box's explanation
// names its field.  A text with '&' in it is left alone, as a label with a
// buddy would turn the '&' into a mnemonic.
void LabelEditFields(const DialogTemplate& tmpl, const std::vector<QWidget*>& widgets) {
  for (std::size_t e = 0; e < tmpl.controls.size(); ++e) {
    const DialogControl& edit = tmpl.controls[e];
    if (edit.kind != ControlKind::Edit) continue;
    QLabel* best = nullptr;
    int bestBottom = 0;
    for (std::size_t s = 0; s < tmpl.controls.size(); ++s) {
      const DialogControl& text = tmpl.controls[s];
      const int bottom = text.y + text.cy;
      const bool above = bottom <= edit.y;
      const bool across = text.x < edit.x + edit.cx && edit.x < text.x + text.cx;
      if (text.kind != ControlKind::Static || !above || !across ||
          text.text.find('&') != std::string::npos)
        continue;
      if (!best || bottom > bestBottom) {
        best = qobject_cast<QLabel*>(widgets[s]);
        bestBottom = bottom;
      }
    }
    if (best) best->setBuddy(widgets[e]);
  }
}

int Pixels(double units, double scale) { return static_cast<int>(units * scale + 0.5); }

DialogUnits UnitsFor(const QFont& font) {
  const QFontMetrics fm(font);
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const double average = fm.horizontalAdvance(letters) / 52.0;
  return {average / 4.0, fm.height() / 8.0};
}

}  // namespace

TemplateDialog::TemplateDialog(CDialog& dialog, QWidget* parent)
    : QDialog(parent), m_dialog(dialog) {
  const DialogTemplate* tmpl = FindDialogTemplate(dialog.TemplateId());
  if (tmpl) Build(*tmpl);
  m_dialog.ExchangeData(*this, false);
  // The texts as the exchange left them, which may be longer than the
  // template's in another language.
  if (tmpl) {
    const DialogUnits du = UnitsFor(font());
    FitTexts(this, QSize(Pixels(tmpl->cx, du.x), Pixels(tmpl->cy, du.y)), Pixels(4, du.x));
  }
}

void TemplateDialog::Build(const DialogTemplate& tmpl) {
  // The template's texts are the program's own, shown in the player's
  // language; an icon's text is its resource id.
  const auto translated = [](const std::string& text) {
    return QString::fromUtf8(_(text.c_str()));
  };
  setWindowTitle(translated(tmpl.caption));
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (tmpl.systemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  setWindowFlags(flags);

  setFont(TemplateFont(tmpl));
  const DialogUnits du = UnitsFor(font());

  QWidget* first = nullptr;
  std::vector<QWidget*> widgets;
  for (const DialogControl& c : tmpl.controls) {
    QWidget* widget = nullptr;
    const QString text = translated(c.text);
    switch (c.kind) {
      case ControlKind::Static: {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setText(text);
        label->setWordWrap((c.style & CS_WORD_WRAP) != 0);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
      }
      case ControlKind::Icon: {
        auto* label = new QLabel(this);
        const QPixmap icon = LoadIconPixmap(static_cast<UINT>(std::stoi(c.text)), 32);
        label->setPixmap(icon);
        widget = label;
        break;
      }
      case ControlKind::Edit: {
        auto* edit = new QLineEdit(this);
        widget = edit;
        break;
      }
      case ControlKind::PushButton: {
        auto* button = new QPushButton(text, this);
        const bool isDefault = (c.style & CS_DEFAULT_BUTTON) != 0;
        button->setDefault(isDefault);
        button->setAutoDefault(isDefault);
        if (c.id == IDOK) connect(button, &QPushButton::clicked, this, &QDialog::accept);
        if (c.id == IDCANCEL) connect(button, &QPushButton::clicked, this, &QDialog::reject);
        widget = button;
        break;
      }
    }
    widget->setGeometry(Pixels(c.x, du.x), Pixels(c.y, du.y), Pixels(c.cx, du.x),
                        Pixels(c.cy, du.y));
    if (c.kind != ControlKind::Static && c.kind != ControlKind::Icon && !first) first = widget;
    if (c.id > 0 || c.kind == ControlKind::Edit) m_controls[c.id] = widget;
    widgets.push_back(widget);
  }
  LabelEditFields(tmpl, widgets);
  // Only the caption controls the template asks for: a dialog can be moved,
  // and closed from its caption only when it has a system menu.
  winId();
  SetWindowManagerHints(this, {.move = true, .close = tmpl.systemMenu});
  // The first control that can take the focus has it when the dialog opens.
  if (first) first->setFocus();
}

QWidget* TemplateDialog::Control(int id) const {
  auto it = m_controls.find(id);
  return it == m_controls.end() ? nullptr : it->second;
}

void TemplateDialog::accept() {
  // OK: read and validate the controls; a refusal keeps the dialog open.
  if (m_dialog.ExchangeData(*this, true)) QDialog::accept();
}

std::string TemplateDialog::GetText(int id) const {
  QWidget* w = Control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text().toStdString();
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text().toStdString();
  return {};
}

void TemplateDialog::SetText(int id, const std::string& text) {
  QWidget* w = Control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->setText(QString::fromStdString(text));
  if (auto* label = qobject_cast<QLabel*>(w)) label->setText(QString::fromStdString(text));
}

void TemplateDialog::LimitText(int id, int maxChars) {
  if (auto* edit = qobject_cast<QLineEdit*>(Control(id)))
    edit->setValidator(new CharacterLimit(maxChars, edit));
}

void TemplateDialog::Focus(int id) {
  if (QWidget* w = Control(id)) w->setFocus();
}
