// Intrusive doubly linked list: entries carry their own links and a list owns the entries
// linked into it (clearing or destroying it frees them; detaching hands one back).
#pragma once

class TVexoNode {
 public:
  TVexoNode() = default;
  TVexoNode(const TVexoNode&) = delete;
  TVexoNode& operator=(const TVexoNode&) = delete;
  // Does not unlink: whoever frees an entry detaches it first.
  virtual ~TVexoNode() = default;

  TVexoNode* Next = nullptr;
  TVexoNode* Prev = nullptr;
};

class TVexoList {
 public:
  TVexoList() = default;
  TVexoList(const TVexoList&) = delete;
  TVexoList& operator=(const TVexoList&) = delete;
  virtual ~TVexoList();

  void Add(TVexoNode* node);
  TVexoNode* RemoveFirst();
  TVexoNode* RemoveLast();
  // The entry must be in this list; callers that are not sure ask Contains first.
  void Remove(TVexoNode* node);
  TVexoNode* Next(TVexoNode* node) const { return node ? node->Next : First; }
  TVexoNode* Prev(TVexoNode* node) const { return node ? node->Prev : Last; }
  bool Contains(const TVexoNode* node) const;
  void Clear();

  TVexoNode* First = nullptr;
  TVexoNode* Last = nullptr;
};
