// How the game shows its players: its colour table, their names, and the weights of its score bar.

// Red, green, blue and alpha from 0 to 1, in the game's order. The human player takes entry 0 and the
// k-th computer player entry k + 1; entry 1 is never used by a match.
const COLOUR_TABLE = [
  [1.0, 1.0, 1.0, 0.5], [1.0, 0.0, 0.0, 1.0], [0.49, 0.82, 0.1, 1.0], [0.32, 0.16, 0.54, 1.0],
  [1.0, 0.24, 0.0, 1.0], [1.0, 0.74, 0.0, 1.0], [0.16, 0.32, 0.6, 1.0], [0.1, 0.2, 0.1, 1.0],
  [0.4, 0.3, 0.2, 1.0], [0.9, 0.9, 0.1, 1.0], [0.3, 0.86, 0.4, 1.0], [0.16, 0.32, 0.25, 1.0],
  [0.16, 0.9, 0.9, 1.0],
];
const FIRST_COMPUTER_ENTRY = 2;
const COMPUTER_ENTRIES = COLOUR_TABLE.length - FIRST_COMPUTER_ENTRY;
// A score below this weighs this much in the bar and in the choice of the leader.
const LEAST_WEIGHT = 100;

export function colourEntry(id) {
  if (id === 0) return 0;
  return FIRST_COMPUTER_ENTRY + ((((id - 1) % COMPUTER_ENTRIES) + COMPUTER_ENTRIES) % COMPUTER_ENTRIES);
}

// A CSS colour; `alpha` replaces the table's own when given, as the game's score bar does.
export function playerColour(id, alpha) {
  const [red, green, blue, ownAlpha] = COLOUR_TABLE[colourEntry(id)];
  const channel = (value) => Math.round(value * 255);
  return `rgb(${channel(red)} ${channel(green)} ${channel(blue)} / ${alpha ?? ownAlpha})`;
}

export function playerName(id) {
  return id === 0 ? 'Dragon (you)' : `Orc ${id}`;
}

export function weightOf(score) {
  return Math.max(score, LEAST_WEIGHT);
}

// The first player, in the game's order, with the largest weight: the human player leads until
// someone passes 100 points.
export function leaderOf(scores) {
  let leader = null;
  for (const [id, score] of scores) {
    if (leader === null || weightOf(score) > leader.weight) leader = { id, weight: weightOf(score) };
  }
  return leader === null ? null : leader.id;
}
