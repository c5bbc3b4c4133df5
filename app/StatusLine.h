#pragma once
// Status part 0, the line about the selected contact with the keys its
// entries dial, and the buttons that need a selected contact.

void UpdateStatusLine();
