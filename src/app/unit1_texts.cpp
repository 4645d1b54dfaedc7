#include <windows.h>

#include "app/unit1.h"

namespace {

void GiveHints(TForm1& form, const HintTexts& hints) {
  form.CheckBox3->SetHint(std::string(hints.check_box3));
  form.CheckBox1->SetHint(std::string(hints.check_box1));
  form.CheckBox2->SetHint(std::string(hints.check_box2));
  form.ComboBox1->SetHint(std::string(hints.combo_box1));
  form.Label1->SetHint(std::string(hints.label1));
  form.SpeedButton1->SetHint(std::string(hints.speed_button1));
  form.SpeedButton2->SetHint(std::string(hints.speed_button2));
}

}  // namespace

void TForm1::SetRussianTexts() {
  texts_ = &RussianTextSet();
  GiveHints(*this, texts_->hints);
}

void TForm1::SwitchToEnglish() {
  Font().SetCharset(DEFAULT_CHARSET);
  texts_ = &EnglishTextSet();
  GiveHints(*this, texts_->hints);
  EnglishTexts = true;
}

void TForm1::ChooseCompactCaption() {
  if (CompactMode) CompactCaption = std::string(TextSetFor(EnglishTexts).compact_caption);
}

void TForm1::ApplyTexts() {
  Header1->SetCaption(std::string(Texts().header));
  Label3->SetCaption(std::string(Texts().destination_label));
  CheckBox1->SetCaption(std::string(Texts().delete_after_setup));
  CheckBox2->SetCaption(std::string(Texts().copy_distribution));
  CheckBox3->SetCaption(std::string(Texts().select_all));
  Label2->SetCaption(settings_file_found_ ? std::string(Texts().item_line)
                                          : std::string(Texts().no_settings_notice));
}
