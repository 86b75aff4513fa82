"""Boards as the desktop tests read them, rows of cells: a line moved one place with
wrap-around, and the fewest moves from one board to another."""
from collections import deque


def rotated(cells, column, line, forward):
    """`cells` with column or row `line` (from 0) moved one place: up or left when `forward`."""
    rows = [list(r) for r in cells]
    values = [r[line] for r in rows] if column else rows[line]
    values = values[1:] + values[:1] if forward else values[-1:] + values[:-1]
    if column:
        for r, v in zip(rows, values):
            r[line] = v
    else:
        rows[line] = values
    return tuple(tuple(r) for r in rows)


def shortest_moves(board, target, moves):
    """The labels of the fewest `moves`, (label, cells -> cells) pairs, that make `board` `target`."""
    came = {board: None}
    queue = deque([board])
    while queue and target not in came:
        cells = queue.popleft()
        for label, move in moves:
            nxt = move(cells)
            if nxt not in came:
                came[nxt] = (cells, label)
                queue.append(nxt)
    path, at = [], target
    while came[at]:
        at, label = came[at]
        path.insert(0, label)
    return path
