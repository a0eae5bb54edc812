#pragma once

// The menu "Players" of the menu bar, right after "View": what acts on the players
// selected in the list ("Details", "Compare", "Find Similar"), each doing what the list's
// own action does. Features add their items below these.

class QMenu;

namespace vantrel {

class WindowFace;

// The menu "Players1", made with its first items at the first call.
QMenu* PlayersMenu(WindowFace& face);

}  // namespace vantrel
