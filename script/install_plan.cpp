// The wizard's passes over the install script, made once into a plan: each
// pass reads at most one section line, where a section may still begin, and
// tests it against the sections still to come.
#include "script/install_plan.h"

#include "base/bounded_text.h"
#include "script/install_script.h"

#include <cstring>

namespace {

// The section test: the line begins with the keyword, ASCII letters compared
// without regard to case; the rest of the line is free text.
bool IsSection(const char* line, const char* keyword)
{
    return StartsWithIgnoringCase(line, keyword);
}

void ReadBlock(ScriptStream* script, PlanStep* step)
{
    step->textFrom = script->position;
    ReadTextBlock(script, &step->text);
}

// Makes the pass that begins with the test for *first, and sets *first to
// the test the next pass begins with. A test that does not match hands the
// same line on to the next one. Returns false when no pass follows.
bool MakePass(ScriptStream* script, PlanPage* first, bool usersGiven, InstallPlan* plan)
{
    PlanStep* step = &plan->steps[plan->stepCount++];
    step->firstTest = *first;
    step->at = script->position;
    char line[kScriptLineBytes];
    line[0] = '\0';
    // The readme block follows the line that the copy's pass read.
    if (*first != PlanPage::kReadme)
        ReadScriptLine(script, line, sizeof line);
    step->lineRead = line[0] != '\0';

    bool more = true;
    if (*first <= PlanPage::kLicense && IsSection(line, "LICENSE")) {
        step->page = PlanPage::kLicense;
        ReadBlock(script, step);
        *first = PlanPage::kFiles;
    } else if (*first <= PlanPage::kFiles && IsSection(line, "FILES")) {
        step->page = PlanPage::kFiles;
        ReadFilesSection(script, plan, step);
        *first = PlanPage::kUser;
    } else if (*first <= PlanPage::kUser && (!script->bytes || IsSection(line, "USER")) && !usersGiven) {
        // Without a script nobody else can name the user: the page asks,
        // unless the command line named the users already.
        step->page = PlanPage::kUser;
        *first = PlanPage::kCopy;
    } else if (*first <= PlanPage::kCopy) {
        // Only a README line here leads on past the completion page.
        step->page = PlanPage::kCopy;
        step->viewReadme = IsSection(line, "README");
        *first = PlanPage::kReadme;
        more = step->viewReadme;
    } else {
        step->page = PlanPage::kReadme;
        ReadBlock(script, step);
        more = false;
    }
    step->endAt = script->position;
    return more;
}

} // namespace

void MakeInstallPlan(const char* script, int32_t size, CommandLineFiles commandLine, bool usersGiven,
                     InstallPlan* plan)
{
    memset(plan, 0, sizeof *plan);
    plan->pathlessEntryAt = -1;
    // The " -f" files stand in until a FILES section replaces them.
    for (int i = 0; i < commandLine.count && i < kFileSlotCount; i++) {
        PlanFile& file = plan->files[plan->fileCount++];
        file.marker = '!';
        file.alwaysInstalled = true;
        file.entryAt = -1;
        file.pathAt = -1;
        CopyText(file.path, commandLine.paths[i]);
        CleanPathLine(file.path);
    }
    ScriptStream stream = {script, script ? size : 0, 0};
    SkipByteOrderMark(&stream);
    PlanPage first = PlanPage::kLicense;
    while (MakePass(&stream, &first, usersGiven, plan)) {
    }
    plan->readEnd = stream.position;
}

void ReleaseInstallPlan(InstallPlan* plan)
{
    for (int i = 0; i < plan->stepCount; i++)
        ReleaseTextBlock(&plan->steps[i].text);
}
