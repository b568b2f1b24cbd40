// Dialogs whose texts have outgrown their template, as a translation's may:
// each control grows to its text, none meets another, and the dialog holds
// them all.
#include "platform/qt/template_dialog.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include "platform/interface/app_resources.h"

namespace {

const std::string kLong =
    "A text several times longer than the English one the box was laid out for, as a "
    "translation into a language of long words may be, and longer still, so that it takes "
    "more lines than the template gave it and would run into the field below it.";

// The name box's layout and the About box's, their texts too long.
const DialogTemplate kTemplates[] = {
    {901,
     "Name",
     186,
     95,
     "MS Sans Serif",
     8,
     false,
     {{ControlKind::Edit, 1000, 19, 49, 147, 14, ""},
      {ControlKind::PushButton, IDOK, 36, 76, 50, 14, "A very long &label for OK"},
      {ControlKind::PushButton, IDCANCEL, 99, 76, 50, 14, "Cancel"},
      {ControlKind::Static, -1, 9, 10, 165, 30, kLong, CS_WORD_WRAP}}},
    {902,
     "About",
     235,
     55,
     "MS Sans Serif",
     8,
     true,
     {{ControlKind::Static, 1, 40, 10, 119, 8,
       "A version line far wider than the box its template gives it"},
      {ControlKind::Static, -1, 40, 25, 119, 8, "A line under it"},
      {ControlKind::PushButton, IDOK, 178, 7, 50, 14, "OK"}}},
};

TEST(TemplateDialog, ControlsGrowToTheirTextsWithoutMeeting) {
  SetAppResources({"Kelvo", kTemplates});
  for (const DialogTemplate& t : kTemplates) {
    CDialog description(t.id);
    TemplateDialog dialog(description, nullptr);
    const QList<QWidget*> controls = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* c : controls) {
      const QString text = c->property("text").toString();
      const QFontMetrics fm(c->font());
      if (auto* label = qobject_cast<QLabel*>(c)) {
        EXPECT_LE(
            label->wordWrap() ? label->heightForWidth(c->width()) : fm.horizontalAdvance(text),
            label->wordWrap() ? c->height() : c->width())
            << text.toStdString();
      }
      if (qobject_cast<QPushButton*>(c)) {
        EXPECT_LT(fm.size(Qt::TextShowMnemonic, text).width(), c->width()) << text.toStdString();
      }
      EXPECT_TRUE(dialog.rect().contains(c->geometry())) << text.toStdString();
      for (QWidget* o : controls)
        EXPECT_TRUE(c == o || !c->geometry().intersects(o->geometry()))
            << text.toStdString() << " meets " << o->property("text").toString().toStdString();
    }
  }
  SetAppResources({});
}

}  // namespace
