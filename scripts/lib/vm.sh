# The VM that runs 32-bit Wine: where its image is kept and how it is booted. Source it after
# common.sh; scripts/vm/image makes the image.
VM_CACHE="${VM_CACHE:-/var/cache/datecalc-vm}"

# What makes the image; any change to these files makes a new one.
vm_recipe_files() {
  echo "$ROOT/scripts/vm/image" "$ROOT/scripts/vm/guest-init" "$ROOT/scripts/vm/guest-prefix" \
    "$ROOT/scripts/vm/wine.env" "$ROOT/scripts/lib/wine-fonts.conf"
}

vm_recipe_hash() {
  # shellcheck disable=SC2046
  cat $(vm_recipe_files) | sha256sum | cut -c1-16
}

# vm_image_dir WINE_VERSION: where the image of this recipe with that Wine lives.
vm_image_dir() { echo "$VM_CACHE/$(vm_recipe_hash)-wine-$(echo "$1" | tr -c 'A-Za-z0-9.+~\n-' _)"; }

# The newest whole image of this recipe, whatever its Wine.
newest_vm_image_dir() {
  # shellcheck disable=SC2012
  ls -1td "$VM_CACHE/$(vm_recipe_hash)-wine-"*/ready 2>/dev/null | head -1 | xargs -r dirname
}

# vm_boot IMAGE_DIR SHARE SECONDS CONSOLE_LOG: boots the image with SHARE as the guest's /share,
# where the guest runs SHARE/job and leaves job.log and job.rc. The disk's changes are thrown
# away unless VM_WRITABLE is set. Returns when the guest has powered off or the time is up.
vm_boot() {
  local image=$1 share=$2 seconds=$3 console=$4 snapshot=(-snapshot)
  [ -z "${VM_WRITABLE:-}" ] || snapshot=()
  touch "$image/used"
  # TCG only (no KVM here). -cpu max would enable SMAP, and every Wine process then faults the
  # guest kernel at an iret; without SMAP it runs.
  timeout --kill-after=10 "$seconds" qemu-system-x86_64 \
    -machine q35 -accel tcg,thread=multi -cpu max,-smap -smp 2 -m 4096 \
    -nographic -no-reboot -nodefaults -serial stdio \
    -kernel "$image/vmlinuz" -initrd "$image/initrd.img" \
    -append "root=/dev/vda rootfstype=ext4 rw console=ttyS0 quiet panic=-1 init=/sbin/datecalc-vm-init" \
    -drive "file=$image/root.ext4,format=raw,if=virtio,cache=unsafe" "${snapshot[@]}" \
    -fsdev "local,id=share,path=$share,security_model=none" \
    -device virtio-9p-pci,fsdev=share,mount_tag=share \
    </dev/null >"$console" 2>&1
}
