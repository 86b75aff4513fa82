#include "foundation/VexoList.h"

TVexoList::~TVexoList() {
  Clear();
}

void TVexoList::Add(TVexoNode* node) {
  if (!node) return;
  node->Prev = Last;
  node->Next = nullptr;
  if (Last)
    Last->Next = node;
  else
    First = node;
  Last = node;
}

TVexoNode* TVexoList::RemoveFirst() {
  TVexoNode* node = First;
  if (!node) return nullptr;
  First = node->Next;
  node->Next = nullptr;
  if (First)
    First->Prev = nullptr;
  else
    Last = nullptr;
  return node;
}

TVexoNode* TVexoList::RemoveLast() {
  TVexoNode* node = Last;
  if (!node) return nullptr;
  Last = node->Prev;
  node->Prev = nullptr;
  if (Last)
    Last->Next = nullptr;
  else
    First = nullptr;
  return node;
}

void TVexoList::Remove(TVexoNode* node) {
  if (!node) return;
  if (node == First) {
    RemoveFirst();
  } else if (node == Last) {
    RemoveLast();
  } else {
    if (node->Prev) node->Prev->Next = node->Next;
    if (node->Next) node->Next->Prev = node->Prev;
    node->Next = nullptr;
    node->Prev = nullptr;
  }
}

bool TVexoList::Contains(const TVexoNode* node) const {
  for (const TVexoNode* n = First; n; n = n->Next)
    if (n == node) return true;
  return false;
}

void TVexoList::Clear() {
  while (TVexoNode* node = RemoveFirst()) delete node;
}
