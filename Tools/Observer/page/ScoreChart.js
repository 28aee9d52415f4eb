// Every player's score over the match, drawn with Chart.js (Debian's copy, loaded by the page as `Chart`).
import { playerColour, playerName } from './PlayerStyle.js';

const MATCH_SECONDS = 90;
const AXIS_COLOUR = '#8b93a1';
const GRID_COLOUR = 'rgb(139 147 161 / 20%)';

export class ScoreChart {
  constructor(canvas) {
    const axis = (title) => ({
      title: { display: true, text: title, color: AXIS_COLOUR },
      ticks: { color: AXIS_COLOUR },
      grid: { color: GRID_COLOUR },
    });
    this.chart = new Chart(canvas, {
      type: 'line',
      data: { datasets: [] },
      options: {
        animation: false,
        parsing: false,
        maintainAspectRatio: false,
        elements: { point: { radius: 0 }, line: { borderWidth: 2 } },
        scales: {
          x: { type: 'linear', min: 0, suggestedMax: MATCH_SECONDS, ...axis('seconds into the match') },
          y: { beginAtZero: true, ...axis('score') },
        },
        plugins: { legend: { labels: { color: AXIS_COLOUR, boxWidth: 12 } } },
      },
    });
  }

  // lines: Map id -> [{x, y}, ...]
  show(lines) {
    this.chart.data.datasets = [...lines].map(([id, points]) => ({
      label: playerName(id),
      data: points,
      borderColor: playerColour(id, 1),
      backgroundColor: playerColour(id, 1),
    }));
    this.chart.update('none');
  }
}
