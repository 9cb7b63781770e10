// SPDX-License-Identifier: GPL-3.0-or-later
// The page's transports, behind one small interface: open() resolves once bytes can flow,
// write(bytes) sends, ondata(bytes) and onlost() are set by the page. The core's open and
// close only let bytes flow or not; a transport stays open for the page's life.

// A serial adapter through the browser: 38400 baud, 8N1.
export class SerialTransport {
  constructor(port) {
    this.port = port;
    this.ondata = () => {};
    this.onlost = () => {};
    this.writer = null;
  }

  get label() {
    const info = this.port.getInfo();
    return info.usbVendorId === undefined ? 'serial port'
      : `USB ${info.usbVendorId.toString(16).padStart(4, '0')}:${info.usbProductId.toString(16).padStart(4, '0')}`;
  }

  async open() {
    await this.port.open({ baudRate: 38400, dataBits: 8, parity: 'none', stopBits: 1 });
    this.writer = this.port.writable.getWriter();
    this.read();
  }

  async read() {
    try {
      while (this.port.readable) {
        const reader = this.port.readable.getReader();
        try {
          for (;;) {
            const { value, done } = await reader.read();
            if (done) return;
            if (value) this.ondata(value);
          }
        } finally {
          reader.releaseLock();
        }
      }
    } catch {
      this.onlost();
    }
  }

  write(bytes) {
    this.writer?.write(bytes).catch(() => this.onlost());
  }
}

// A serial line at the other end of a WebSocket: a bridge such as websockify to a TCP port
// that socat joins to a serial device or the simulator's pseudo-terminal.
export class WebSocketTransport {
  constructor(url) {
    this.url = url;
    this.label = url;
    this.ondata = () => {};
    this.onlost = () => {};
  }

  open() {
    return new Promise((resolve, reject) => {
      const socket = new WebSocket(this.url, ['binary']);
      socket.binaryType = 'arraybuffer';
      socket.onopen = () => {
        this.socket = socket;
        resolve();
      };
      socket.onerror = () => reject(new Error(`no bridge at ${this.url}`));
      socket.onmessage = (event) => this.ondata(new Uint8Array(event.data));
      socket.onclose = () => {
        if (this.socket === socket) this.onlost();
        this.socket = null;
      };
    });
  }

  write(bytes) {
    this.socket?.send(bytes);
  }
}
