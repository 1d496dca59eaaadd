#ifndef QUILLEX_TESTS_RUSSIAN_TEXT_H
#define QUILLEX_TESTS_RUSSIAN_TEXT_H

#include <string>

// Ordinary Russian prose for the codec tests, with line breaks, digits and
// punctuation as a user's notes would have them.
inline std::wstring RussianProse(size_t minimumUnits)
{
    static const wchar_t* paragraph =
        L"Вчера вечером мы долго гуляли по старому парку у реки.\r\n"
        L"Осенние листья шуршали под ногами, а над водой стоял лёгкий туман.\r\n"
        L"Список покупок: хлеб, молоко, 10 яиц, сыр и яблоки.\r\n"
        L"Не забыть позвонить Ольге Петровне до пятницы (по поводу отчёта).\r\n"
        L"Съешь же ещё этих мягких французских булок, да выпей чаю!\r\n";
    std::wstring text;
    while (text.size() < minimumUnits)
        text += paragraph;
    return text.substr(0, minimumUnits);
}

#endif
