// The page: follows the observer's events and draws the match, live or replayed.
import { ArenaView } from './ArenaView.js';
import { MatchState } from './MatchState.js';
import { leaderOf, playerName } from './PlayerStyle.js';
import { ReplayControls } from './ReplayControls.js';
import { ScoreBoard } from './ScoreBoard.js';
import { ScoreChart } from './ScoreChart.js';

const RECONNECT_MS = 1000;
const MATCH_SECONDS = 90;
const TRAIL_SECONDS = 4;
// Chart.js redraws everything; a few times a second is plenty.
const CHART_EVERY_MS = 250;

class ObserverPage {
  constructor() {
    const element = (id) => document.getElementById(id);
    this.element = element;
    this.arena = new ArenaView(element('floor'), element('heat'), element('players'));
    this.board = new ScoreBoard(element('scores').tBodies[0], element('score-bar'), element('final-scores'));
    this.chart = new ScoreChart(element('chart'));
    this.controls = new ReplayControls(element('replay-controls'), () => { this.dirty = true; });
    this.match = null;
    this.connected = false;
    this.game = false;
    this.replay = false;
    this.dirty = true;
    this.chartShownAt = -Infinity;
    this.lastFrame = performance.now();
    window.addEventListener('resize', () => { this.dirty = true; });
  }

  connect() {
    const socket = new WebSocket(`ws://${location.host}/watch`);
    socket.onopen = () => { this.connected = true; this.dirty = true; };
    socket.onmessage = (message) => {
      const data = JSON.parse(message.data);
      // What piled up while the page was busy comes as one list of events.
      (Array.isArray(data) ? data : [data]).forEach((event) => this.receive(event));
    };
    socket.onclose = () => {
      this.connected = false;
      this.dirty = true;
      setTimeout(() => this.connect(), RECONNECT_MS);
    };
  }

  receive(event) {
    if (event.kind === 'status') {
      this.game = event.game;
      this.replay = event.replay;
    } else if (event.kind === 'batch') {
      event.events.forEach((each) => this.receive(each));
    } else if (event.kind === 'replay') {
      event.events.forEach((each) => this.receive(each));
      this.controls.start(this.match ? this.match.end : 0, event.speed);
    } else if (event.kind === 'start') {
      this.match = new MatchState(event.match);
      this.chartShownAt = -Infinity;
    } else {
      if (!this.match) this.match = new MatchState(0);
      this.match.add(event);
    }
    this.dirty = true;
  }

  frame(now) {
    this.controls.advance((now - this.lastFrame) / 1000);
    this.lastFrame = now;
    if (this.dirty) this.render(now);
    requestAnimationFrame((next) => this.frame(next));
  }

  viewTime() {
    if (this.replay) return this.controls.time;
    return this.match ? this.match.end : 0;
  }

  render(now) {
    this.dirty = false;
    const time = this.viewTime();
    const match = this.match;
    this.arena.fitToPage();
    this.element('status').textContent = this.statusText();
    this.showOverlay(match, time);
    this.arena.drawFloor(match && match.floor);
    this.arena.drawHeat(match && match.heatAt(time));
    this.arena.drawPlayers(match ? match.playersAt(time, TRAIL_SECONDS) : new Map());
    this.board.show(match ? match.scoresAt(time) : []);
    this.showClock(match, time);
    this.showStats(match && match.statsAt(time));
    this.showWarnings(match ? match.warningsAt(time) : new Map());
    if (now - this.chartShownAt >= CHART_EVERY_MS) {
      this.chart.show(match ? match.scoreLinesAt(time) : new Map());
      this.chartShownAt = now;
    } else {
      this.dirty = true; // the chart is still to catch up
    }
  }

  statusText() {
    if (!this.connected) return 'the observer is not reachable; trying again';
    if (this.replay) return this.match ? `replay of match ${this.match.number}` : 'replay';
    if (!this.game) return 'waiting for the game';
    if (!this.match || this.match.over) return 'the game is connected; waiting for a match';
    return `match ${this.match.number} live`;
  }

  showOverlay(match, time) {
    let title = '';
    let text = '';
    if (match && match.isOverAt(time)) {
      title = 'Match over';
      const leader = leaderOf(match.over.scores);
      text = `${leader === null ? 'No scores came' : `${playerName(leader)} won`}: ${match.over.reason}.`;
      this.board.showFinal(match.over.scores);
    } else if (!match && !this.replay) {
      title = this.game ? 'Waiting for a match' : 'Waiting for the game';
      text = this.game ? 'The game is on its menu: start a match.' : 'Start the game with the switch ws (./play.sh ws).';
      this.board.showFinal([]);
    }
    this.element('overlay').hidden = title === '';
    this.element('overlay-title').textContent = title;
    this.element('overlay-text').textContent = text;
  }

  showClock(match, time) {
    const left = Math.max(0, Math.trunc(MATCH_SECONDS - time));
    this.element('clock').textContent = match && match.floor ? `Time left: ${left}` : '';
  }

  showStats(stats) {
    const text = (value) => (stats ? String(value) : '–');
    this.element('stat-fps').textContent = text(stats && stats.fps);
    this.element('stat-gametime').textContent = text(stats && `${(stats.gametime / 1000).toFixed(1)} s`);
    this.element('stat-camps').textContent = text(stats && stats.camps);
    this.element('stat-free-units').textContent = text(stats && stats.freeUnits);
  }

  showWarnings(warnings) {
    const list = this.element('warnings');
    list.hidden = warnings.size === 0;
    list.replaceChildren(...[...warnings.values()].map((warning) => {
      const item = document.createElement('li');
      item.dataset.problem = warning.problem;
      item.dataset.count = warning.count;
      item.textContent = `${warning.count} × ${warning.detail}`;
      return item;
    }));
  }
}

const page = new ObserverPage();
page.connect();
requestAnimationFrame((now) => page.frame(now));
