#include "app/texts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Windows-1251 to UTF-8 for the letters the texts use (А..я, Ё, ё) and ASCII.
std::string Utf8From1251(std::string_view text) {
  std::string utf8;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    unsigned code = byte;
    if (byte >= 0xC0)
      code = 0x0410 + (byte - 0xC0);
    else if (byte == 0xA8)
      code = 0x0401;
    else if (byte == 0xB8)
      code = 0x0451;
    else if (byte >= 0x80)
      ADD_FAILURE() << "unexpected byte " << unsigned(byte);
    if (code < 0x80) {
      utf8 += static_cast<char>(code);
    } else {
      utf8 += static_cast<char>(0xC0 | (code >> 6));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return utf8;
}

TEST(RussianTexts, MatchTheirWordingByteForByte) {
  const TextSet& ru = RussianTextSet();
  const std::pair<std::string_view, std::string_view> cases[] = {
      {ru.header, "Параметры работы с драйверами     Настройки->"},
      {ru.destination_label, "Папка-приемник"},
      {ru.delete_after_setup, "Удалить папку-приемник для драйверов     "},
      {ru.copy_distribution, "Копировать дистрибутив на системный диск    "},
      {ru.select_all, "Снять/Выбрать ВСЕ - в списках       "},
      {ru.item_line, "Файл..."},
      {ru.information, "Информация о пакете драйверов"},
      {ru.extract, "Извлечь"},
      {ru.exit, "Выход"},
      {ru.compact_caption, "Восстановить окно - Ctrl+Enter)"},
      {ru.hints.check_box3, "Быстрое обращение к списку выбора драйверов"},
      {ru.hints.check_box1, "Драйвера будут удалены после установки системы"},
      {ru.hints.check_box2, "С изменением пути к дистрибутиву в реестре"},
      {ru.hints.combo_box1, "Папка для размещения драйверов"},
      {ru.hints.label1, "Кнопки для выбора списка ->"},
      {ru.hints.speed_button1, "Пакеты драйверов"},
      {ru.hints.speed_button2, "Папки с драйверами"},
      {ru.apply, "Применить"},
      {ru.no_packages_header, "Отсутствуют пакеты драйверов"},
      {ru.no_packages_hint, "Выход"},
      {ru.execution, "Выполнение..."},
      {ru.copy_prefix, "Копирование - "},
      {ru.no_settings_notice, "Без файла настроек"},
  };
  for (const auto& [stored, expected] : cases) EXPECT_EQ(Utf8From1251(stored), expected);
}

TEST(EnglishTexts, KeepTheirBlanksAndHintBars) {
  const TextSet& en = EnglishTextSet();
  EXPECT_EQ(en.header, "Options for working with drivers     Adjustment->");
  EXPECT_EQ(en.delete_after_setup, "Delete file-receiver for driver   ");
  EXPECT_EQ(en.copy_distribution, "Copy the distribution       ");
  EXPECT_EQ(en.select_all, "Remove / Select All - from the list       ");
  EXPECT_EQ(en.compact_caption, "Restore the window - Ctrl+Enter)");
  // Only the two switch buttons show a pop-up tip in English.
  for (std::string_view hint : {en.hints.check_box3, en.hints.check_box1, en.hints.check_box2,
                                en.hints.combo_box1, en.hints.label1}) {
    EXPECT_EQ(hint.front(), '|') << hint;
  }
  EXPECT_EQ(en.hints.speed_button1, "Driver packages");
  EXPECT_EQ(en.hints.speed_button2, "Folder with drivers");
  EXPECT_EQ(&TextSetFor(true), &en);
  EXPECT_EQ(&TextSetFor(false), &RussianTextSet());
}

TEST(ExitText, IsExactlyOneOfTheTwoExitWords) {
  EXPECT_TRUE(IsExitText("Exit"));
  EXPECT_TRUE(IsExitText(RussianTextSet().exit));
  for (std::string_view caption : {"Exit 29", "exit", "Exit ", "", "Apply", "Extract"}) {
    EXPECT_FALSE(IsExitText(caption)) << caption;
  }
  EXPECT_FALSE(IsExitText(std::string(RussianTextSet().exit) + " 4"));
}

}  // namespace
