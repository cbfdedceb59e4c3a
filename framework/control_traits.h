// What a description may store about a control beyond its looks and place: anchors (a parent's
// resize follows them), bidirectional mode, drag, dock and help settings and its action's name,
// and the handlers of drag and dock events, which this framework keeps but never raises.
#pragma once
#include <map>
#include <string>
#include <windows.h>
#include "framework/component.h"

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TDragKind { dkDrag, dkDock };
enum TDragMode { dmManual, dmAutomatic };
enum THelpType { htKeyword, htContext };

struct TStoredTraits {
  TBiDiMode biDiMode = bdLeftToRight;
  bool parentBiDiMode = true;
  int dragCursor = -12;  // crDrag
  TDragKind dragKind = dkDrag;
  TDragMode dragMode = dmManual;
  bool dockSite = false;
  int helpContext = 0;
  std::string helpKeyword;
  THelpType helpType = htContext;
  std::string action;
  std::map<std::string, TNotifyEvent> events;  // by the name they were stored under
};

// Where an anchored child goes when its parent's client grows by (dx, dy): an edge anchored on
// both sides stretches, one anchored on the far side moves, one anchored on neither keeps its centre.
RECT AnchoredBounds(const RECT& bounds, TAnchors anchors, int dx, int dy);

class TPropTable;
// The framework's published properties and events of every control, and of windowed ones.
void AddControlTraits(TPropTable& table);
void AddWindowedTraits(TPropTable& table);
