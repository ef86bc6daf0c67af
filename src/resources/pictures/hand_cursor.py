"""The pointing hand over what can be clicked: 32 x 32, 16 colours, the hot spot at the tip of the
index finger (column 12, row 1). Drawn pixel by pixel: a cursor must be crisp, not smoothed."""

HOT_SPOT = (12, 1)
COLOURS = {"B": (0, 0, 0), "W": (255, 255, 255), "S": (192, 192, 192)}

# B outline, W hand, S cuff; "." lets the screen show through.
ROWS = [
    "...........BBB..................",
    "..........BWWWB.................",
    "..........BWWWB.................",
    "..........BWWWB.................",
    "..........BWWWB.................",
    "..........BWWWB.................",
    "..........BWWWB.................",
    "..........BWWWBBBB..............",
    "..........BWWWBWWWBBBB..........",
    "..........BWWWBWWWBWWWBBBB......",
    "..........BWWWBWWWBWWWBWWWB.....",
    "..........BWWWBWWWBWWWBWWWB.....",
    "......BBB.BWWWBWWWBWWWBWWWB.....",
    ".....BWWWBBWWWBWWWBWWWBWWWB.....",
    ".....BWWWWBWWWWWWWWWWWWWWWB.....",
    ".....BWWWWWWWWWWWWWWWWWWWWB.....",
    "......BWWWWWWWWWWWWWWWWWWWB.....",
    "......BWWWWWWWWWWWWWWWWWWWB.....",
    ".......BWWWWWWWWWWWWWWWWWWB.....",
    ".......BWWWWWWWWWWWWWWWWWWB.....",
    "........BWWWWWWWWWWWWWWWWB......",
    "........BWWWWWWWWWWWWWWWWB......",
    ".........BWWWWWWWWWWWWWWB.......",
    ".........BWWWWWWWWWWWWWWB.......",
    "..........BWWWWWWWWWWWWB........",
    "..........BBBBBBBBBBBBBB........",
    "..........BSSSSSSSSSSSSB........",
    "..........BSSSSSSSSSSSSB........",
    "..........BBBBBBBBBBBBBB........",
    "................................",
    "................................",
    "................................",
]
