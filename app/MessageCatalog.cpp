// This file is compiled with -fexec-charset=CP1251: the Russian literals below are written in
// UTF-8 and reach the program as Windows-1251 bytes, ready for the ANSI calls.
#include "MessageCatalog.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

const char* const englishTexts[MessageCatalog::MessageCount] = {
    "Language", // 0
    "About", // 1
    "Terminate", // 2
    "English", // 3
    "Russian", // 4
    "Cant register \"Close all apps on current desktop\" hotkey", // 5
    "Cant get information about icons", // 6
    "Limiting count of desktops is reached", // 7
    "Cant create file handle for mapped memory", // 8
    "Cant map memory", // 9
    "Cant create event", // 10
    "Cant load library", // 11
    "Cant get library function address", // 12
    "Cant set hook on WH_GETMESSAGE", // 13
    "Several desktops, one screen.\nMade by the Lumenfold team.", // 14
    "About Lumenfold", // 15
    "[Lumenfold]\nversion 1.1", // 16
    "With thanks\r\nDesign\tthe Lumenfold team\r\nCode\tthe Lumenfold team\r\nIcons\tthe Lumenfold team\r\nTesting\tthe Lumenfold team\r\nIdeas\tour users", // 17
    "Edit desktop options", // 18
    "Desktop name", // 19
    "Keyboard combination", // 20
    "Cancel", // 21
    "Troubles while opening registry, for saving changes", // 22
    "Troubles while opening registry, for saving \"auto start\" status", // 23
    "Cant open registry for saving desktops information", // 24
    "Cant open registry for setting default options", // 25
    "Cant open registry for setting \"auto start\" status", // 26
    "Cant open registry for setting default desktops information", // 27
    "Cant get path to temporary directory", // 28
    "Cant create temporary file. Maybe program is already running", // 29
    "Cant register class", // 30
    "Cant create main program window", // 31
    "Cant go to \"systray\"", // 32
    "Attention 8-|", // 33
    "Error :(", // 34
    "Cant open registry for options reading", // 35
    "Troubles while opening registry. Cant read \"auto start\" status", // 36
    "Troubles while opening registry, cant read desktops information", // 37
    "Cant register hotkey", // 38
    "Cant register \"next desktop\" hotkey", // 39
    "Cant register \"previous desktop\" hotkey", // 40
    "Type desktop name", // 41
    "This desktop name already exist", // 42
    "Close all apps", // 43
    "Switch on this desktop", // 44
    "Select what desktop you want to rename", // 45
    "Select what desktop you want to edit", // 46
    "Select what desktop you want to delete", // 47
    "We cant delete desktops anymore", // 48
    "Cannot delete current desktop", // 49
    "Set hotkeys combination", // 50
    "Cant set hook on WH_SHELL", // 51
    "Cant remove hook on WH_GETMESSAGE", // 52
    "Cant remove hook on WH_SHELL", // 53
    "on all desktops", // 54
    "send to", // 55
    "Cant create thread", // 56
    "Cant get path to current directory", // 57
};

// Message 1 begins with the digit zero, not the Cyrillic letter O.
const char* const russianTexts[MessageCatalog::MessageCount] = {
    "Язык", // 0
    "0писание", // 1
    "Завершение", // 2
    "Английский", // 3
    "Русский", // 4
    "Невозможно зарегистрировать в системе заданную комбинацию клавиш, для закрытия всех приложений на текущем рабочем столе", // 5
    "Проблемы с обработкой иконок", // 6
    "Достигнуто предельное количество рабочих столов", // 7
    "Невозможно получить файловый дескриптор на выделенную область памяти", // 8
    "Невозможно выделить область памяти", // 9
    "Невозможно создать событие", // 10
    "Невозможно загрузить библиотеку", // 11
    "Невозможно получить адрес функции", // 12
    "Невозможно установить ловушку на WH_GETMESSAGE", // 13
    "Много столов, один экран.\nСделано командой Lumenfold.", // 14
    "О Lumenfold", // 15
    "[Lumenfold]\nверсия 1.1", // 16
    "Благодарности\r\nЗамысел\tкоманда Lumenfold\r\nКод\tкоманда Lumenfold\r\nИконки\tкоманда Lumenfold\r\nПроверка\tкоманда Lumenfold\r\nИдеи\tнаши пользователи", // 17
    "Настройка опций рабочего стола", // 18
    "Имя рабочего стола", // 19
    "Комбинация клавиш", // 20
    "Отмена", // 21
    "Проблемы при открытии реестра, для сохранения изменений", // 22
    "Проблемы при открытии реестра, для сохранения статуса автоматического запуска программы", // 23
    "Невозможно открыть реестр, для сохранения опций рабочих столов", // 24
    "Невозможно открыть реестр, для установки опций по умолчанию", // 25
    "Невозможно открыть реестр, для установки статуса автоматического запуска программы", // 26
    "Невозможно открыть реестр, для установки опций рабочих столов по умолчанию", // 27
    "Невозможно получить путь к временной директории", // 28
    "Невозможно создать временный файл. Возможно, программа уже запущена", // 29
    "Невозможно зарегистрировать класс", // 30
    "Невозможно создать главное окно программы", // 31
    "Невозможно поместить программу в систрей", // 32
    "Внимание 8-|", // 33
    "Ошибка :(", // 34
    "Невозможно открыть реестр для чтения", // 35
    "Невозможно считать установки статуса автоматического запуска программы", // 36
    "Проблемы при открытии реестра, невозможно прочитать данные о рабочих столах", // 37
    "Невозможно зарегистрировать в системе заданную комбинацию клавиш", // 38
    "Невозможно зарегистрировать в системе заданную комбинацию клавиш, для переключения на следующий рабочий стол", // 39
    "Невозможно зарегистрировать в системе заданную комбинацию клавиш, для переключения на предыдущий рабочий стол", // 40
    "Введите имя рабочего стола", // 41
    "Рабочий стол с таким именем уже существует", // 42
    "Завершить все приложения", // 43
    "Сделать текущим", // 44
    "Выберите рабочий стол, который Вы хотите переименовать", // 45
    "Выберите рабочий стол, настройки которого, Вы хотите изменить", // 46
    "Выберите рабочий стол, который Вы хотите удалить", // 47
    "Больше удалять рабочие столы нельзя", // 48
    "Текущий рабочий стол не может быть удален", // 49
    "Установите комбинацию клавиш", // 50
    "Невозможно установить ловушку на WH_SHELL", // 51
    "Невозможно убрать ловушку на WH_GETMESSAGE", // 52
    "Невозможно убрать ловушку на WH_SHELL", // 53
    "на всех раб. столах", // 54
    "отправить на", // 55
    "Невозможно создать поток", // 56
    "Невозможно узнать имя текущего каталога", // 57
};

} // namespace

const char* MessageCatalog::text(int number) const
{
    bool english = std::strcmp(language, "eng") == 0;
    return english ? englishTexts[number] : russianTexts[number];
}

void MessageCatalog::noticeBox(const char* text) const
{
    // Task-modal: the dialog that refused the input cannot be used again until the box is closed.
    // A box without an owner leaves the activation to chance when it goes: the window that was
    // active gets it back.
    HWND active = GetActiveWindow();
    MessageBoxA(nullptr, text, this->text(MsgNoticeCaption), MB_OK | MB_TASKMODAL);
    if (active != nullptr)
        SetForegroundWindow(active);
}

void MessageCatalog::showErrorBox(const char* text) const
{
    MessageBoxA(nullptr, text, this->text(MsgErrorCaption), MB_ICONERROR);
}

void MessageCatalog::fatalErrorBox(const char* text) const
{
    ending = true;
    showErrorBox(text);
    std::exit(1);
}
