// Recording fakes of the pages and of the current page's controls.
#include "fakes/fake_page_controls.h"

#include "driver/platform.h"

FakePages gFakePages;

void ResetFakePageControls()
{
    gFakePages = FakePages();
}

PageHandle CreatePage(int dialogId)
{
    gFakePages.created.push_back(dialogId);
    if (gFakePages.creationFails)
        return nullptr;
    // Any non-null handle will do; nothing looks inside it.
    return &gFakePages;
}

void ShowPage(PageHandle, int showCommand)
{
    gFakePages.shown.push_back(showCommand);
}

void DestroyPage(PageHandle)
{
    ++gFakePages.destroyed;
}

void SetControlText(int id, const char* text)
{
    gFakePages.controls[id].text = text;
}

void ShowControl(int id)
{
    gFakePages.controls[id].shown = true;
}

void SetCheckBox(int id, bool checked)
{
    gFakePages.controls[id].checked = checked;
}

void AppendToTextBox(int id, const char* text)
{
    gFakePages.controls[id].appended += text;
}

void ScrollTextBox(int id, int lines)
{
    gFakePages.controls[id].scrolledLines += lines;
}
