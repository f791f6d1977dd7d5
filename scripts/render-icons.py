#!/usr/bin/env python3
"""Renders the program's pictures from the SVG sources in assets/icons/svg/.

Every picture is written as PNG at its size (name.png) and at twice its size (name@2x.png),
which QIcon and QPixmap pick by themselves for a screen with two device pixels to the pixel.
The menu and tool bar glyphs also get a disabled form (name-disabled.png): the same drawing
through a grey, lightened, half-transparent filter, so that it reads on light and dark menus.
Some pictures are put together from several sources (a contact who has hidden himself is the
faded figure with a moon on it); the table below says how. Last, assets/icons.qrc is written,
one alias per file under the prefix /icons.

Needs rsvg-convert (Debian package librsvg2-bin); the build does not, it uses the PNG files.
Running the script again gives the same files.

Usage: scripts/render-icons.py
"""
import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SVG = os.path.join(ROOT, 'assets', 'icons', 'svg')
PNG = os.path.join(ROOT, 'assets', 'icons', 'png')
QRC = os.path.join(ROOT, 'assets', 'icons.qrc')

# Menu and tool bar glyphs, 16 x 16, in the order of the main window's menu image list.
GLYPHS = ['antiboss', 'cut', 'copy', 'paste', 'font-size-minus', 'font-size-plus',
          'help-contents', 'save-session', 'update-contacts', 'font-color', 'font',
          'sort-by-gender', 'sort-by-nick', 'preferences', 'web', 'about', 'emoticons']

# Grey = 0.45 x luminance + 0.5 at 60 % of the opacity: dark strokes turn mid grey,
# white paper stays light, and nothing keeps a colour that would read as "active".
DISABLED = ('0.1346 0.2642 0.0513 0 0.5 ' * 3) + '0 0 0 0.6 0'
GHOST = 0.42  # opacity of a figure or a bubble that is there but not present

# Layers: (source, opacity, x, y, scale), drawn from first to last.
def layer(source, opacity=1.0, x=0.0, y=0.0, scale=1.0):
    return (source, opacity, x, y, scale)


def picture(name, size, layers, disabled=False):
    return {'name': name, 'size': size, 'layers': layers, 'disabled': disabled}


def pictures():
    out = [picture(g, (16, 16), [layer(g)], disabled=True) for g in GLYPHS]
    for gender in ('undefined', 'male', 'female'):
        figure = 'contact-' + gender
        out.append(picture(figure, (16, 16), [layer(figure)]))
        out.append(picture(figure + '-hidden', (16, 16),
                           [layer(figure, GHOST), layer('hidden-badge')]))
    out.append(picture('contact-ignored', (16, 16), [layer('contact-ignored')]))
    out.append(picture('blink-0', (16, 16), [layer('blink')]))
    out.append(picture('blink-1', (16, 16), [layer('blink', GHOST)]))
    out.append(picture('unhide-contacts', (8, 16), [layer('unhide-contacts')]))
    out.append(picture('about-logo', (255, 86),
                       [layer('wordmark'), layer('app', 1.0, 2, 14, 62 / 48)]))
    return out


# The application icon comes in fixed sizes rather than 1x and 2x: the small drawing keeps
# to the 16-pixel grid, the large one has room for the network behind the bubble.
APP_SIZES = {16: 'app-small', 22: 'app', 24: 'app', 32: 'app', 44: 'app', 48: 'app',
             64: 'app', 128: 'app', 256: 'app'}
BADGES = {'app-small': 'message-badge-small', 'app': 'message-badge'}
TRAY_SIZES = (16, 22, 24, 32, 44, 48)


def icon_sets():
    out = []
    for size, source in APP_SIZES.items():
        out.append(('app-%d' % size, size, [layer(source)]))
    for size in TRAY_SIZES:
        source = APP_SIZES[size]
        out.append(('tray-message-%d' % size, size, [layer(source), layer(BADGES[source])]))
    return out


ROOT_TAG = re.compile(r'<svg\b([^>]*)>', re.S)
VIEWBOX = re.compile(r'viewBox="([^"]*)"')


def read_source(name):
    with open(os.path.join(SVG, name + '.svg'), encoding='utf-8') as f:
        text = f.read()
    tag = ROOT_TAG.search(text)
    inner = text[tag.end():text.rindex('</svg>')]
    return VIEWBOX.search(tag.group(1)).group(1).split(), inner


def compose(size, layers, disabled):
    """One SVG document of the layers, sized to the first layer's view box."""
    view, _ = read_source(layers[0][0])
    parts = []
    for source, opacity, x, y, scale in layers:
        _, inner = read_source(source)
        attrs = ''
        if opacity != 1.0:
            attrs += ' opacity="%g"' % opacity
        if (x, y, scale) != (0, 0, 1):
            attrs += ' transform="translate(%g %g) scale(%g)"' % (x, y, scale)
        parts.append('<g%s>%s</g>' % (attrs, inner))
    body = ''.join(parts)
    defs = ''
    if disabled:
        defs = ('<defs><filter id="disabled" x="0" y="0" width="%s" height="%s" '
                'filterUnits="userSpaceOnUse" color-interpolation-filters="sRGB">'
                '<feColorMatrix type="matrix" values="%s"/></filter></defs>'
                % (view[2], view[3], DISABLED))
        body = '<g filter="url(#disabled)">%s</g>' % body
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="%s">'
            '%s%s</svg>\n' % (size[0], size[1], ' '.join(view), defs, body))


def render(document, width, height, target, work):
    source = os.path.join(work, 'picture.svg')
    with open(source, 'w', encoding='utf-8') as f:
        f.write(document)
    subprocess.run(['rsvg-convert', '-w', str(width), '-h', str(height), '-o', target, source],
                   check=True)


def main():
    os.makedirs(PNG, exist_ok=True)
    for old in os.listdir(PNG):
        os.remove(os.path.join(PNG, old))
    written = []
    with tempfile.TemporaryDirectory() as work:
        for p in pictures():
            w, h = p['size']
            forms = [('', False)] + ([('-disabled', True)] if p['disabled'] else [])
            for suffix, disabled in forms:
                document = compose(p['size'], p['layers'], disabled)
                for scale, tail in ((1, ''), (2, '@2x')):
                    file = p['name'] + suffix + tail + '.png'
                    render(document, w * scale, h * scale, os.path.join(PNG, file), work)
                    written.append(file)
        for name, size, layers in icon_sets():
            document = compose((size, size), layers, False)
            render(document, size, size, os.path.join(PNG, name + '.png'), work)
            written.append(name + '.png')
    with open(QRC, 'w', encoding='utf-8') as f:
        f.write('<!DOCTYPE RCC>\n<!-- Written by scripts/render-icons.py. -->\n'
                '<RCC version="1.0">\n<qresource prefix="/icons">\n')
        for file in written:
            f.write('  <file alias="%s">icons/png/%s</file>\n' % (file, file))
        f.write('</qresource>\n</RCC>\n')
    print('render-icons: %d pictures in %s' % (len(written), os.path.relpath(PNG, ROOT)),
          file=sys.stderr)


if __name__ == '__main__':
    main()
