// Sample content for the page host: what the driver would put into each
// page, so that a page looks and answers as in a real run.
#pragma once

// Sets up gState for the page before it is created: the user page lists
// the PalmUser table while it is being created.
void PrepareSampleState(int dialogId);

// Fills the page, which is gState.currentPage, as the driver would. With
// longTexts, the license and readme texts pass the text boxes' default
// limit of 32,767 characters.
void FillSampleContent(int dialogId, bool longTexts);

// The sample users, in table order (not alphabetical), and the files.
constexpr const char* kSampleUsers[] = {"Zoe Walker", "Adam Brown", "Mia Chen"};
constexpr const char* kSampleFiles[] = {"Notes.prc", "Expenses.pdb", "Vantrel Runtime.prc"};
