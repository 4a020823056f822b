// The page's searches (WHEN, WHEN2) away from the page's own thread: a search
// may step through as many occurrences as the loop limit allows and take
// seconds, so the page stays answerable and ends a search by terminating its
// worker. The same package as the page, configured as the page is.
// Loaded, not imported: the package sets itself up with a top-level await,
// and messages that came before this module had run would be lost.
const library = import('./varizav/varizav.js');

let settingsInForce = null;
// Requests are answered one after another, each with the settings it carries.
let queue = Promise.resolve();

async function answer({ id, name, args, settings }) {
  try {
    const v = await library;
    const wanted = JSON.stringify(settings);
    if (wanted !== settingsInForce) {
      await v.configure(settings);
      settingsInForce = wanted;
    }
    return { id, serial: v.call(name, ...args) };
  } catch (error) {
    return { id, error: error.message };
  }
}

self.addEventListener('message', ({ data }) => {
  queue = queue.then(() => answer(data)).then((reply) => self.postMessage(reply));
});
