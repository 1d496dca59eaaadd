#include "shell/document_commands.h"

#include <new>

#include "app/app_state.h"
#include "dialogs/chooser_tables.h"
#include "dialogs/file_chooser.h"
#include "editor/document.h"
#include "editor/layout.h"
#include "editor/tab_host.h"
#include "shell/document_view.h"
#include "storage/encodings.h"
#include "storage/lang_loader.h"
#include "storage/notice.h"
#include "storage/settings.h"
#include "storage/wide_text.h"

namespace {

// Removes entry `index` from the list, destroying its record. Unlinked
// first: destroying its edit window moves the focus, and whatever that runs
// must not find the half-destroyed document in the list.
void RemoveDocument(int index)
{
    CDocument* removed = g_app.documents[index];
    for (int i = index; i + 1 < g_app.documents.count; ++i)
        g_app.documents[i] = g_app.documents[i + 1];
    g_app.documents.count--;
    delete removed;
}

// A modified document is worth a question unless it is untitled and empty.
bool NeedsAsking(CDocument* document)
{
    return document->modified && (document->HasFileName() || document->GetTextLength() > 0);
}

// The question for one document; the path replaces the text's "%s".
void BuildQuestion(CDocument* document, wchar_t* question, int capacity)
{
    if (!document->HasFileName()) {
        CopyUnits(question, capacity,
                  g_lang.Lookup(L"file_ch", L"Текст был изменён. Сохранить изменения?"));
        return;
    }
    SubstituteFirst(g_lang.Lookup(L"file_ch_named", L"Файл %s был изменён. Сохранить изменения?"),
                    L"%s", document->path, question, capacity);
}

// Replaces the current document by a new empty one at the end of the list.
// The new one is made first: without memory for it nothing is removed.
void ReplaceCurrentByNew()
{
    if (AppendNewDocument(CurrentDocument()->IsWordWrap()) < 0)
        return;
    RemoveDocument(g_app.current);
    g_app.current = g_app.documents.count - 1;
    ShowCurrentDocument();
}

}

int AppendNewDocument(bool wordWrap)
{
    // Room in the list comes first, so that appending the made record
    // cannot fail.
    CDocument* document = nullptr;
    if (g_app.documents.Reserve(g_app.documents.count + 1))
        document = new (std::nothrow) CDocument(g_app.mainWindow, wordWrap);
    if (document && !document->edit) {
        delete document;
        document = nullptr;
    }
    if (!document) {
        ShowOutOfMemory(g_app.mainWindow);
        return -1;
    }
    int index = g_app.documents.Append(document);
    // Sized before any text goes in, so that a wrapping document wraps
    // its text once, at its real width.
    FitToDocumentArea(document);
    return index;
}

bool AddDocument(bool skipLayout)
{
    bool wrap = CurrentDocument() ? CurrentDocument()->IsWordWrap() : false;
    int index = AppendNewDocument(wrap);
    if (index < 0)
        return false;
    g_app.current = index;
    if (skipLayout)
        SelectDocumentTab(g_app.current);
    else
        ShowCurrentDocument();
    return true;
}

bool CloseDocument(int target)
{
    if (!ConfirmSaveChanges(false))
        return false;
    if (g_app.documents.count >= 2) {
        RemoveDocument(g_app.current);
        int last = g_app.documents.count - 1;
        g_app.current = target < 0 ? 0 : (target > last ? last : target);
        ShowCurrentDocument();
        return true;
    }
    // The only document gives way to an empty one, and there is no file to
    // reopen at the next start.
    if (AppendNewDocument(CurrentDocument()->IsWordWrap()) < 0)
        return false;
    RemoveDocument(0);
    g_app.current = 0;
    ShowCurrentDocument();
    g_settings.SetString(L"LastFileName", L"");
    return true;
}

namespace {

bool AskYesNo(const wchar_t* question)
{
    return ShowNotice(g_app.mainWindow, nullptr, question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// Another program changed the file since the document last read or wrote
// it: its text is not overwritten unasked.
bool MayOverwriteChangedFile(CDocument* document, const wchar_t* target)
{
    if (!document->HasFileName() || lstrcmpiW(target, document->path) != 0 ||
        !document->FileChangedOnDisk())
        return true;
    wchar_t question[800];
    SubstituteFirst(g_lang.Lookup(L"ask_changed_on_disk",
                                  L"Файл %s был изменён другой программой после того, как его "
                                  L"открыли. Перезаписать его?"),
                    L"%s", document->path, question, ARRAYSIZE(question));
    return AskYesNo(question);
}

// An 8-bit encoding that cannot hold every character would write '?' in
// their place: the user says so first, or chooses another encoding.
bool MayLoseCharacters(CDocument* document, int encoding)
{
    int lost = document->CountUnwritable(encoding);
    if (lost == 0)
        return true;
    const wchar_t* name = SaveEncodingName(encoding == ENC_AUTO ? ENC_ANSI : encoding);
    wchar_t count[16];
    if (lost < 0)
        CopyUnits(count, L"?");
    else
        StringCchPrintfW(count, ARRAYSIZE(count), L"%d", lost);
    wchar_t withCount[800];
    wchar_t question[800];
    SubstituteFirst(g_lang.Lookup(L"ask_lossy_save",
                                  L"Символов, которых нет в кодировке %s: %d. Они будут записаны "
                                  L"как «?». Всё равно сохранить?"),
                    L"%d", count, withCount, ARRAYSIZE(withCount));
    SubstituteFirst(withCount, L"%s", name ? name : L"", question, ARRAYSIZE(question));
    return AskYesNo(question);
}

// The questions before a save over `target` in `encoding`, then the save.
// A No leaves the file and the document as they are.
bool SaveAfterQuestions(CDocument* document, const wchar_t* target, int encoding, DWORD flags)
{
    return MayOverwriteChangedFile(document, target) && MayLoseCharacters(document, encoding) &&
           document->Save(target, encoding, flags);
}

bool SaveThroughChooser(CDocument* document)
{
    ChooserResult choice = {};
    CopyUnits(choice.path, document->path);
    choice.encoding = document->encoding;
    return ChooseFile(false, &choice) &&
           SaveAfterQuestions(document, choice.path, choice.encoding, choice.flags);
}

}

bool SaveDocument(int index)
{
    CDocument* document = g_app.documents[index];
    bool saved;
    // A document that holds only the start of its file must not be written
    // over that file unasked: the chooser lets the user decide where it goes.
    if (document->HasFileName() && !document->truncated)
        saved = SaveAfterQuestions(document, document->path, document->encoding,
                                   document->codecFlags);
    else
        saved = SaveThroughChooser(document);
    ShowDocumentState();
    return saved;
}

bool SaveDocumentAs(int index)
{
    bool saved = SaveThroughChooser(g_app.documents[index]);
    ShowDocumentState();
    return saved;
}

bool ConfirmSaveChanges(bool all)
{
    int first = all ? 0 : g_app.current;
    int last = all ? g_app.documents.count - 1 : g_app.current;
    // Documents are shown one by one for their questions only: without one,
    // nothing is hidden, shown or repainted on the way.
    bool asking = false;
    for (int i = first; i <= last && !asking; ++i)
        asking = NeedsAsking(g_app.documents[i]);
    if (all && asking) {
        for (int i = 0; i < g_app.documents.count; ++i)
            g_app.documents[i]->Show(false);
    }
    for (int i = first; i <= last; ++i) {
        CDocument* document = g_app.documents[i];
        // Show the document the question is about.
        bool hidden = asking && !document->IsVisible();
        if (hidden) {
            FitToDocumentArea(document);
            document->Show(true);
            SelectDocumentTab(i);
        }
        int answer = IDNO;
        if (NeedsAsking(document)) {
            wchar_t question[800];
            BuildQuestion(document, question, ARRAYSIZE(question));
            answer = ShowNotice(g_app.mainWindow, nullptr, question,
                                MB_YESNOCANCEL | MB_ICONQUESTION);
        }
        bool failed = answer == IDYES && !SaveDocument(i);
        if (!failed && document->HasFileName())
            g_settings.SetString(L"LastFileName", document->path);
        if (failed || answer == IDCANCEL) {
            // Shown document, selected tab and `current` agree again.
            if (hidden && i != g_app.current)
                document->Show(false);
            ShowCurrentDocument();
            return false;
        }
        if (hidden)
            document->Show(false);
    }
    FitToDocumentArea(CurrentDocument());
    CurrentDocument()->Show(true);
    return true;
}

void NewDocumentCommand()
{
    if (g_settings.GetBool(L"AddTabForDocs", false) && !AddDocument(true))
        return;
    if (!ConfirmSaveChanges(false))
        return;
    ReplaceCurrentByNew();
}

namespace {

// Open and Recent: the same steps around a different chooser. An Open
// starts where the last showing of the chooser left off.
void OpenChosenFile(bool fromRecent)
{
    int before = g_app.current;
    // Without a new tab the file would replace the current document.
    if (g_settings.GetBool(L"AddTabForDocs", false) && !AddDocument(true))
        return;
    if (!ConfirmSaveChanges(false))
        return;
    ChooserResult choice = {};
    if (fromRecent ? ChooseRecentFile(&choice) : ChooseFile(true, &choice)) {
        CurrentDocument()->Load(choice.path, choice.encoding);
        ShowCurrentDocument();
        return;
    }
    if (g_settings.GetBool(L"AddTabForDocs", false))
        CloseDocument(before);
    FocusCurrentDocument();
}

}

void OpenDocumentCommand()
{
    OpenChosenFile(false);
}

void RecentDocumentCommand()
{
    OpenChosenFile(true);
}
