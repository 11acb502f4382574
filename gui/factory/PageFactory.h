#pragma once

class NPage;

// The table of every main page of the program by page id. It sits above the page libraries,
// which themselves build on the page framework.
namespace PageFactory
{
// A new page for an id of 2..23, null for any other.
NPage* Create(int id);
// Hands the table to the page store.
void Install();
} // namespace PageFactory
