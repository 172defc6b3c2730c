# Prints the WiX fragment that installs the files of a folder under INSTALLDIR, as the component group ProgramFiles:
#
#   python3 packaging/windows/wix-files.py FOLDER
#
# One component a file, in name order, each folder with its own identifier; identifiers follow the paths, so the
# same files give the same installer. Every folder is listed as one the installer creates, after the folders inside
# it: msiexec removes such folders on uninstallation, in that order (Wine's leaves any other folder that holds only
# folders, or that a "." entry stands for, as wixl-heat writes them). A folder without files gets a component of
# its own for that.
import hashlib, os, sys, uuid
from xml.sax.saxutils import quoteattr

root = sys.argv[1]
components = []

def ident(prefix, path):
    return prefix + hashlib.sha1(path.encode()).hexdigest()[:32].upper()

def folder(path, depth):
    pad = "  " * depth
    names = sorted(os.listdir(os.path.join(root, path)))
    files = [n for n in names if os.path.isfile(os.path.join(root, path, n))]
    lines = []
    for name in names:
        if name not in files:
            relative = os.path.join(path, name)
            lines.append(f'{pad}<Directory Id="{ident("dir", relative)}" Name={quoteattr(name)}>')
            lines += folder(relative, depth + 1)
            lines.append(f"{pad}</Directory>")
    if not files:
        components.append(ident("cmp", path + "/"))
        guid = str(uuid.uuid5(uuid.NAMESPACE_URL, "urn:star-editor:windows-folder:" + path)).upper()
        lines.append(f'{pad}<Component Id="{components[-1]}" Guid="{guid}" Win64="yes">')
        lines.append(f"{pad}  <CreateFolder/>\n{pad}</Component>")
    for index, name in enumerate(files):
        relative = os.path.join(path, name)
        components.append(ident("cmp", relative))
        source = quoteattr("$(var.SourceDir)/" + relative)
        lines.append(f'{pad}<Component Id="{components[-1]}" Guid="*" Win64="yes">')
        lines.append(f'{pad}  <File Id="{ident("fil", relative)}" Source={source} KeyPath="yes"/>')
        if index == len(files) - 1:
            lines.append(f"{pad}  <CreateFolder/>")
        lines.append(f"{pad}</Component>")
    return lines

tree = folder("", 3)
print('<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">')
print('  <Fragment>\n    <DirectoryRef Id="INSTALLDIR">')
print("\n".join(tree))
print('    </DirectoryRef>\n    <ComponentGroup Id="ProgramFiles">')
print("\n".join(f'      <ComponentRef Id="{c}"/>' for c in components))
print("    </ComponentGroup>\n  </Fragment>\n</Wix>")
