// The scores in three places: the table beside the arena, the bar under it in the game's weights, and
// the final list when a match is over.
import { leaderOf, playerColour, playerName, weightOf } from './PlayerStyle.js';

// The game's bar fills each player's share with its colour at this alpha (0x82).
const BAR_ALPHA = 0x82 / 255;

export class ScoreBoard {
  constructor(tableBody, bar, finalList) {
    this.tableBody = tableBody;
    this.bar = bar;
    this.finalList = finalList;
    this.shown = null;
  }

  // scores: [[id, score], ...] in the game's player order.
  show(scores) {
    const key = JSON.stringify(scores);
    if (key === this.shown) return;
    this.shown = key;
    const leader = leaderOf(scores);
    this.tableBody.replaceChildren(...scores.map(([id, score]) => this.tableRow(id, score, id === leader)));
    this.bar.replaceChildren(...scores.map(([id, score]) => this.barPart(id, score)));
  }

  showFinal(scores) {
    const leader = leaderOf(scores);
    const ranked = [...scores].sort((a, b) => b[1] - a[1]);
    this.finalList.replaceChildren(...ranked.map(([id, score]) => {
      const item = document.createElement('li');
      item.textContent = `${playerName(id)}: ${score}${id === leader ? ' (winner)' : ''}`;
      return item;
    }));
  }

  tableRow(id, score, leads) {
    const row = document.createElement('tr');
    row.dataset.player = id;
    row.dataset.score = score;
    row.classList.toggle('leader', leads);
    const swatch = document.createElement('span');
    swatch.className = 'swatch';
    swatch.style.background = playerColour(id, 1);
    for (const content of [swatch, playerName(id), String(score)]) {
      const cell = document.createElement('td');
      cell.append(content);
      row.append(cell);
    }
    return row;
  }

  barPart(id, score) {
    const part = document.createElement('div');
    part.style.flexGrow = weightOf(score);
    part.style.flexBasis = '0';
    part.style.background = playerColour(id, BAR_ALPHA);
    part.textContent = `${playerName(id)} ${score}`;
    part.title = part.textContent;
    return part;
  }
}
